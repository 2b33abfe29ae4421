#pragma once

#include <QWidget>

struct DrawingTool;
struct ToolPalette;
class QPushButton;

// One of the seven tool palettes ("Files" ... "Utility"), laid out from its
// row of Tool_Palettes(): a fixed column of buttons named Command1...,
// captions as accessible names. A tool button acts on the insole pane that
// EvaScriptFlag names at the moment it is pressed (not on the window that
// opened the palette) and then closes the palette; "Close" and a click on
// the background only close it. When the pane's window is not loaded the
// palette says so, changes nothing and stays open.
class PaletteWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PaletteWindow(const ToolPalette &palette, QWidget *parent = nullptr);

    QPushButton *button(const QString &name) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void press(const QString &button);
    // Runs the tool; false when the palette is to stay open.
    bool runTool(const DrawingTool &tool);

    const ToolPalette &m_palette;
};

// Registers the seven palettes with the window registry under their names.
void Register_Tool_Palettes();
