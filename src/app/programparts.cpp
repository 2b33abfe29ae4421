#include "programparts.h"

#include "appwindows.h"
#include "helpwindows.h"
#include "jsoncommand.h"
#include "scriptform1.h"
#include "softhooks.h"

void Join_Program_Parts()
{
    Register_Shell_Windows();
    Register_Help_Windows();
    Register_Soft_Windows();
    Register_Pdf_Viewer();

    // The viewer is modal and finds its owner itself (the active window,
    // which is the confirmation dialog the button sits on).
    Set_Soft_Pdf_Viewer([](const QString &pdfPath, QWidget *) { Show_Pdf_Viewer(pdfPath); });
}
