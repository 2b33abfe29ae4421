#include "statichelp.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextTable>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>

namespace {

const QColor kCream(255, 244, 221);

QWidget *textWindow(const QString &name, const QString &caption, QSize size,
                    const std::function<void(QTextCursor &)> &write)
{
    auto *window = new QWidget;
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setAttribute(Qt::WA_DeleteOnClose);

    auto *text = new QTextEdit(window);
    text->setObjectName(QStringLiteral("RichTextBox1"));
    text->setAccessibleName(caption);
    text->setReadOnly(true);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    text->document()->setDefaultFont(font);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, kCream);
    text->setPalette(palette);

    QTextCursor cursor(text->document());
    write(cursor);
    text->moveCursor(QTextCursor::Start);

    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    window->resize(size);
    return window;
}

void heading(QTextCursor &cursor, const QString &text)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(12);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(text, bold);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

void topic(QTextCursor &cursor, const QString &name, const QString &text)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(6);
    cursor.insertBlock(spaced, QTextCharFormat());
    cursor.insertText(name + QStringLiteral(": "), bold);
    cursor.insertText(text, QTextCharFormat());
}

// Template lengths in mm by size: men's, women's dress, women's athletic (0: none).
struct SizeRow
{
    int size, men, womenDress, womenAthletic;
};

constexpr SizeRow kTemplateSizes[] = {
    {4, 234, 211, 215}, {5, 240, 219, 224},  {6, 247, 227, 232},  {7, 253, 236, 240},  {8, 263, 245, 248},
    {9, 270, 252, 256}, {10, 278, 261, 265}, {11, 285, 270, 272}, {12, 294, 279, 281}, {13, 301, 288, 0},
    {14, 308, 0, 0},    {15, 319, 0, 0},     {16, 326, 0, 0},     {17, 333, 0, 0},
};

} // namespace

QWidget *Create_Keyboard_Help()
{
    return textWindow(QStringLiteral("Help1"), QStringLiteral("Keyboard Help"), QSize(560, 520), [](QTextCursor &c) {
        heading(c, QStringLiteral("KEYBOARD  HELP"));
        c.insertText(QStringLiteral("How to work the Left Foot and Right Foot 3D views with the mouse and the keys."));
        topic(c, QStringLiteral("Rotate"), QStringLiteral("drag with the left mouse button."));
        topic(c, QStringLiteral("Zoom"), QStringLiteral("drag with the right mouse button."));
        topic(c, QStringLiteral("Move"), QStringLiteral("hold Shift and drag with the left mouse button."));
        topic(c, QStringLiteral("Trim"),
              QStringLiteral("press s, then 2, drag a selection rectangle over the part of the mesh to remove, "
                             "then press Delete."));
        topic(c, QStringLiteral("Cut"),
              QStringLiteral("press l (lowercase L) and draw a line on the mesh with the left mouse button held; "
                             "it shows in orange. Press c to apply it, then x to execute. A closed outline drawn "
                             "clockwise removes its inside; drawn anti-clockwise it removes everything else."));
        topic(c, QStringLiteral("Leave the 2D editing mode"),
              QStringLiteral("press e. If the view turns with the mouse, the command has ended; if a dashed "
                             "rectangle shows, it has not."));
        topic(c, QStringLiteral("Measure a distance"),
              QStringLiteral("press m and pick two points; a dimension line shows the distance."));
        topic(c, QStringLiteral("Measure an angle"),
              QStringLiteral("press m, then a, and pick two points; the angle is shown in degrees."));
        topic(c, QStringLiteral("Grid"), QStringLiteral("press v, then g; a window for the grid settings opens."));
        topic(c, QStringLiteral("Reminders"),
              QStringLiteral("the trim and measure commands show short hints on the screen."));
    });
}

QWidget *Create_Foot_Sizes()
{
    return textWindow(QStringLiteral("FootSize"), QStringLiteral("Foot Sizes"), QSize(460, 500), [](QTextCursor &c) {
        heading(c, QStringLiteral("Template Sizes"));
        c.insertText(QStringLiteral("Template lengths in mm"));
        c.insertBlock();
        QTextTableFormat format;
        format.setCellPadding(3);
        format.setCellSpacing(0);
        format.setBorder(0.5);
        format.setHeaderRowCount(1);
        const int rows = int(std::size(kTemplateSizes)) + 1;
        QTextTable *table = c.insertTable(rows, 4, format);
        const QStringList head{QStringLiteral("Size"), QStringLiteral("Men's"), QStringLiteral("Women's Dress"),
                               QStringLiteral("Women's Athletic")};
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        for (int col = 0; col < 4; ++col)
            table->cellAt(0, col).firstCursorPosition().insertText(head[col], bold);
        auto text = [](int value) { return value ? QString::number(value) : QString(); };
        int row = 1;
        for (const SizeRow &size : kTemplateSizes) {
            table->cellAt(row, 0).firstCursorPosition().insertText(text(size.size));
            table->cellAt(row, 1).firstCursorPosition().insertText(text(size.men));
            table->cellAt(row, 2).firstCursorPosition().insertText(text(size.womenDress));
            table->cellAt(row, 3).firstCursorPosition().insertText(text(size.womenAthletic));
            ++row;
        }
    });
}
