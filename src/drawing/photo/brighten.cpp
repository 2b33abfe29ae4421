#include "brighten.h"

#include "imagedocument.h"
#include "imageview.h"
#include "numbers.h"
#include "paths.h"
#include "photocore.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellservices.h"
#include "sizechart.h"

#include <QMenuBar>

namespace {

struct AdjustmentRow
{
    const char *caption;
    const char *item;
    Brighten::Adjustment adjustment;
    bool onBar; // stands directly on the menu bar
};

constexpr AdjustmentRow kAdjustments[] = {
    {"Greyscale", "mnuGrey", Brighten::Adjustment::Greyscale, false},
    {"Negative", "mnuInvert", Brighten::Adjustment::Negative, false},
    {"Sharpen", "mnuSharpen", Brighten::Adjustment::Sharpen, false},
    {"Mirror", "mnuMirror", Brighten::Adjustment::Mirror, false},
    {"Repair", "mnuRepair", Brighten::Adjustment::Repair, false},
    {"Brighten", "mnuBright", Brighten::Adjustment::Brighten, true},
    {"Darken", "mnuDark", Brighten::Adjustment::Darken, true},
};

constexpr double kBrightenFactor = 1.2;
constexpr double kDarkenFactor = 0.8;
constexpr int kGreyWidth = 480, kGreyHeight = 640, kGreyLevel = 128;

} // namespace

Brighten::Brighten(QWidget *parent)
    : ImageWindow({QStringLiteral("Brighten"), QStringLiteral("Adjust Photo"), QStringLiteral("Tif")}, parent)
{
    buildMenus();
    QImage grey(kGreyWidth, kGreyHeight, QImage::Format_RGB32);
    grey.fill(QColor(kGreyLevel, kGreyLevel, kGreyLevel));
    document()->setImage(grey);
    resize(700, 560);
    setUp();
}

void Brighten::setUp()
{
    ScriptRecord &job = Job();
    m_foot = job.CurrentFoot;
    const bool left = m_foot == QLatin1String("Left");
    const bool right = m_foot == QLatin1String("Right");
    if (left || right) {
        QString &size = left ? job.FootSizeL : job.FootSizeR;
        double &length = left ? job.FootLengthL : job.FootLengthR;
        size = Shell() ? Shell()->Size_List_Text(left ? 0 : 1) : QString();
        ShowStatusF(QStringLiteral("Size: ") + size);
        length = Foot_Length_For(Get_Template_Length(job, num::leadingNumber(size)));
        job.CurrentImageFile = left ? job.LeftGraphicFile : job.RightGraphicFile;
    }

    // A foot without a photograph ("None" or nothing) keeps the grey picture
    // and has nothing to save.
    const QString path = job.CurrentImageFile;
    if (!Is_Absent_Path(path)) {
        try {
            document()->load(path);
            m_photo = path;
            ShowStatus(photo::Size_Text(document()->pixelWidth(), document()->pixelHeight()));
        } catch (const SolvaneError &error) {
            Show_Error(error.description());
        }
    } else {
        ShowStatusX(QStringLiteral("0 x 0"));
    }
    ShowStatusY(QStringLiteral("100%"));
    ShowStatus(QStringLiteral("Ready"));
    setWindowTitle(QStringLiteral("Adjust Photo: ") + m_foot + QStringLiteral(" Foot"));
}

void Brighten::addOwnMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *adjustMenu = bar->addMenu(QStringLiteral("Adjust"));
    adjustMenu->setObjectName(QStringLiteral("mnuAdjust"));
    for (const AdjustmentRow &row : kAdjustments) {
        const QString caption = QString::fromLatin1(row.caption);
        const QString item = QString::fromLatin1(row.item);
        QAction *action = row.onBar ? bar->addAction(caption) : addItem(adjustMenu, caption, item);
        action->setObjectName(item);
        const Adjustment adjustment = row.adjustment;
        connectCommand(action, [this, adjustment] { adjust(adjustment); });
    }
}

void Brighten::adjust(Adjustment adjustment)
{
    ShowStatus(QStringLiteral("Processing ...."));
    ImageDocument *doc = document();
    doc->recordUndoStep();
    switch (adjustment) {
    case Adjustment::Greyscale: doc->convertToGreyscale(); break;
    case Adjustment::Negative: doc->makeNegative(); break;
    case Adjustment::Sharpen: doc->sharpen(); break;
    case Adjustment::Mirror: doc->mirror(); break;
    case Adjustment::Repair: doc->repair(); break;
    case Adjustment::Brighten: doc->scaleBrightness(kBrightenFactor); break;
    case Adjustment::Darken: doc->scaleBrightness(kDarkenFactor); break;
    }
}

void Brighten::saveImage()
{
    // Only the photograph this window loaded is ever written, and only its
    // own foot reloaded.
    if (m_photo.isEmpty())
        return;
    document()->save(m_photo);
    if (!Shell())
        return;
    if (m_foot == QLatin1String("Left"))
        Shell()->Load_Left_Foot();
    else if (m_foot == QLatin1String("Right"))
        Shell()->Load_Right_Foot();
}

QString Brighten::saveAsName() const
{
    // The photograph this window shows, not whatever another window has
    // loaded since.
    return m_photo.isEmpty() ? Job().CurrentImageFile : m_photo;
}

void Brighten::layoutClient()
{
    ImageWindow::layoutClient();
    const int offset = photo::kDesignOffsetPixels;
    placeImageControl(QRect(offset, offset, clientArea()->width() - 2 * offset, clientArea()->height() - 5 * offset));
}
