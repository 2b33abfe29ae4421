#pragma once

#include "imagewindow.h"

// "Adjust Photo": brightens, darkens and otherwise adjusts the photograph of
// the foot that was current when it opened, and saves it back over that
// photograph, after which the main window reloads that foot. It keeps the
// photograph and the foot it loaded: another window changing
// CurrentImageFile or CurrentFoot later never makes it write elsewhere.
class Brighten : public ImageWindow
{
    Q_OBJECT
public:
    explicit Brighten(QWidget *parent = nullptr);

    // The photograph this window loaded (empty when none) and its foot.
    QString loadedPhoto() const { return m_photo; }
    QString foot() const { return m_foot; }

    // The adjustments, as the menus run them.
    enum class Adjustment { Greyscale, Negative, Sharpen, Mirror, Repair, Brighten, Darken };
    void adjust(Adjustment adjustment);

protected:
    void addOwnMenus() override;
    void saveImage() override;
    QString saveAsName() const override;
    void layoutClient() override;

private:
    void setUp();

    QString m_photo;
    QString m_foot;
};
