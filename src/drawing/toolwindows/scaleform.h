#pragma once

#include "drawingtargets.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;

// "Calculate Scale": a reference line of known length brings the target's
// foot photo to true size (calculatescale.h). ScaleForm serves the Graphic
// Screen: it proposes 100 mm, its foot size box edits the current foot's
// size and its messages go to its own status bar. ScaleForm2 serves the
// insole pane EvaScriptFlag names, found anew at each button: it proposes
// the foot length, shows the size only and writes its messages into that
// pane's message line.
class ScaleForm : public QWidget
{
    Q_OBJECT
public:
    explicit ScaleForm(TargetRole role, QWidget *parent = nullptr);

    // The window's messages: ScaleForm's status bar panel 1, ScaleForm2's
    // pane message line.
    void ShowStatus(const QString &StrTxt);

    void Command5_Click(); // "Draw a Reference Line"
    void Command3_Click(); // "Set Scale"
    void Command4_Click(); // "Quit"

    bool ReferenceLineFlag = false;

private:
    void Text2_Change();

    TargetRole m_role;
    QLineEdit *m_distance = nullptr; // Text1
    QLineEdit *m_footSize = nullptr; // Text2
    QLabel *m_panel = nullptr; // StatusBar1, panel 1
};

// ScaleForm's foot size reaches the soft prescription window's size list
// of that side (0 left, 1 right) through this hook, installed where the
// parts are joined; the hook acts only on a loaded window.
void Set_Soft_Size_List_Hook(std::function<void(int side, const QString &size)> hook);
bool Soft_Size_List_Hook_Installed();

// Registers "ScaleForm" and "ScaleForm2".
void Register_Scale_Forms();
