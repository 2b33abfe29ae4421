#pragma once

#include "imagewindow.h"
#include "photocore.h"

#include <QPrinter>

#include <memory>

// "Graphic Display": the job's sketch, a JPEG picture started from the
// installation's template, on which the clinician draws lines, circles,
// ellipses, rectangles and text for the laboratory. The sketch is named for
// the job's kind ("R_" for a rigid job) when the window opens, and every
// save goes to that path, whatever JobImageFile holds later. Every close
// asks whether to save.
class GraphicForm2 : public ImageWindow
{
    Q_OBJECT
public:
    explicit GraphicForm2(QWidget *parent = nullptr);

    // The path the sketch is saved to, resolved at load.
    QString sketchPath() const { return m_sketchPath; }

    quint32 PenColour = photo::Rgb(220, 0, 0);
    photo::SketchClicks &clicks() { return m_clicks; }

    // The printer "Print" and "Print Test" use (tests point it at a PDF file).
    QPrinter &printer() { return *m_printer; }

    // The commands, as the menus run them.
    void chooseTool(photo::SketchTool tool);
    void mnuSelect_Click();
    void mnuPrint_Click();
    void mnuTest1_Click();
    void mnuPDF_Click();

protected:
    void addFileItems(QMenu *file) override;
    void addOwnMenus() override;
    void saveImage() override;
    QString saveAsName() const override;
    void layoutClient() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setUp();
    void pointerReport(double xTwips, double yTwips);
    void draw(const photo::SketchClicks::Finished &finished);
    void setMouseSelect(bool on);
    void resetPrinter();

    QString m_sketchPath;
    photo::SketchClicks m_clicks;
    QAction *m_select = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};
