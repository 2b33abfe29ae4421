#include "blockform.h"

#include "blockinsert.h"
#include "blocklibrary.h"
#include "drawing.h"
#include "drawinghost.h"
#include "drawingstate.h"
#include "prompter.h"
#include "windowregistry.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 5;
constexpr int kIconSize = 48;

QPushButton *addButton(QWidget *parent, QHBoxLayout *row, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(b->text());
    row->addWidget(b);
    return b;
}

} // namespace

BlockForm::BlockForm(TargetRole role, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_role(role)
{
    setWindowTitle(QStringLiteral("Standard Blocks"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *grid = new QGridLayout;
    for (int s = 0; s < BlockPager::kSlots; ++s) {
        QLabel *image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image1_%1").arg(s));
        image->setFixedSize(kIconSize + 8, kIconSize + 8);
        image->setAlignment(Qt::AlignCenter);
        image->setFrameShape(QFrame::Box);
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
        QLabel *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(s));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setWordWrap(true);
        label->setFixedWidth(96);
        label->setMinimumHeight(2 * label->fontMetrics().height()); // a page keeps its shape

        const int row = (s / kColumns) * 2;
        grid->addWidget(image, row, s % kColumns, Qt::AlignHCenter);
        grid->addWidget(label, row + 1, s % kColumns, Qt::AlignHCenter | Qt::AlignTop);
        m_images[s] = image;
        m_labels[s] = label;
    }
    auto *buttons = new QHBoxLayout;
    QPushButton *previous = addButton(this, buttons, "Command3", "< Previous");
    QPushButton *next = addButton(this, buttons, "Command1", "Next >");
    buttons->addStretch();
    QPushButton *closeButton = addButton(this, buttons, "Command2", "Close");
    connect(next, &QPushButton::clicked, this, &BlockForm::Command1_Click);
    connect(previous, &QPushButton::clicked, this, &BlockForm::Command3_Click);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // The load: the first page of the library the last drawing set-up read.
    Load_Icons(m_pager.PageFirst, m_pager.PageLast);
}

void BlockForm::Load_Label(int Idx, int Jdx)
{
    const QString label = Block_Slot(Drawing_State(), Idx).label;
    m_labels[Jdx]->setText(label);
    // The slot is pressed by its label's caption.
    m_images[Jdx]->setAccessibleName(label);
}

void BlockForm::Load_Icon(int Idx, int Jdx)
{
    m_pictures[Jdx] = Block_Slot(Drawing_State(), Idx).picture;
    QPixmap picture(m_pictures[Jdx]);
    if (picture.width() > kIconSize || picture.height() > kIconSize)
        picture = picture.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_images[Jdx]->setPixmap(picture);
}

void BlockForm::Load_Icons(int Idx1, int Idx2)
{
    for (int k = Idx1, slot = 0; k <= Idx2 && slot < BlockPager::kSlots; ++k, ++slot)
        Load_Label(k, slot);
    for (int k = Idx1, slot = 0; k <= Idx2 && slot < BlockPager::kSlots; ++k, ++slot)
        Load_Icon(k, slot);
}

void BlockForm::Command1_Click()
{
    if (m_pager.next(Drawing_State().BlockCount))
        Load_Icons(m_pager.PageFirst, m_pager.PageLast);
}

void BlockForm::Command3_Click()
{
    if (m_pager.previous())
        Load_Icons(m_pager.PageFirst, m_pager.PageLast);
}

void BlockForm::Image1_Click(int slot)
{
    const DrawingState &state = Drawing_State();
    const int entry = m_pager.entryAt(slot, state.BlockCount);
    if (entry < 0)
        return;
    Insert_Block(Block_File_Path(state.BlockFiles.value(entry)));
}

void BlockForm::Insert_Block(const QString &blockFile)
{
    const DrawingTarget target = Find_Drawing_Target(m_role);
    if (!target) {
        Say_Target_Not_Open(m_role);
        return;
    }
    Run_Command([&] {
        // A block file that cannot be read is reported now, before any pick
        // is armed, and the picker stays open.
        target.host->drawing().loadBlockFile(blockFile);
        close();
        Arm_Block_Insert(target, blockFile);
    });
}

bool BlockForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int s = 0; s < BlockPager::kSlots; ++s) {
            if (watched == m_images[s]) {
                Image1_Click(s);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Register_Block_Forms()
{
    Register_Target_Twins<BlockForm>(QStringLiteral("BlockForm1"), QStringLiteral("BlockForm2"));
}
