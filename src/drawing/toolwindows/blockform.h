#pragma once

#include "blockpager.h"
#include "drawingtargets.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// "Standard Blocks": the block library as pages of 15 icons with labels
// (Image1_0..Image1_14, Label1_0..Label1_14). A click on a slot with an
// entry closes the window and arms the pick on the target's view; the block
// goes in at the point picked there (blockinsert.h). BlockForm1 serves the
// Graphic Screen, BlockForm2 the insole pane EvaScriptFlag names; only the
// target differs.
class BlockForm : public QWidget
{
    Q_OBJECT
public:
    explicit BlockForm(TargetRole role, QWidget *parent = nullptr);

    // The slot's caption and picture for library entry `Idx` (0-based).
    void Load_Label(int Idx, int Jdx);
    void Load_Icon(int Idx, int Jdx);
    // Waits for a point in the target drawing, then inserts the block file.
    void Insert_Block(const QString &blockFile);
    // Entries Idx1..Idx2 into slots 0...: every label, then every picture.
    void Load_Icons(int Idx1, int Idx2);

    void Command1_Click(); // "Next >"
    void Command3_Click(); // "< Previous"
    void Image1_Click(int slot);

    const BlockPager &pager() const { return m_pager; }
    // The picture file a slot shows (empty when even Blank.Gif is missing).
    QString slotPicture(int slot) const { return m_pictures[slot]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TargetRole m_role;
    BlockPager m_pager;
    std::array<QLabel *, BlockPager::kSlots> m_images{};
    std::array<QLabel *, BlockPager::kSlots> m_labels{};
    std::array<QString, BlockPager::kSlots> m_pictures;
};

// Registers "BlockForm1" and "BlockForm2". Neither creates the window it
// serves: without it, opening says the window is not open and nothing is
// made. BlockForm1 is unloaded when the Graphic Screen goes.
void Register_Block_Forms();
