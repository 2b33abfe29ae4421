#pragma once

#include "pickupview.h"

#include <QFile>
#include <QStringList>

#include <functional>
#include <stdexcept>

// Foot views that record what the pick-ups ask of them, one line a call
// ("L Load_Model_File <path>"). A call named in `failOn` fails as a file
// error would; `onLoad` looks at the scan as the view reads it.
class FakePickupViews : public PickupViews
{
public:
    QStringList calls;
    QString failOn; // "R Save_Capture"
    std::function<void(const QString &)> onLoad;

    PickupView &Foot_View(ScanSide side) override { return side == ScanSide::Left ? m_left : m_right; }

    // The calls of one side, without the side letter.
    QStringList callsOf(QChar side) const
    {
        QStringList out;
        for (const QString &c : calls)
            if (c.startsWith(side))
                out << c.mid(2);
        return out;
    }

private:
    class View : public PickupView
    {
    public:
        View(FakePickupViews &owner, QChar side)
            : m_owner(owner),
              m_side(side)
        {}
        void Load_Model_File(const QString &path) override
        {
            call("Load_Model_File", path);
            if (!QFile::exists(path))
                throw std::runtime_error("no such scan");
            if (m_owner.onLoad)
                m_owner.onLoad(path);
        }
        void Set_Caption(const QString &path) override { call("Set_Caption", path); }
        void Smooth() override { call("Smooth"); }
        void Show_Normal() override { call("Show_Normal"); }
        void Write_Initial_Snapshot() override { call("Write_Initial_Snapshot"); }
        void Save_Model(const QString &path) override { call("Save_Model", path); }
        void ViewBottom() override { call("ViewBottom"); }
        void Save_Capture(const QString &jpegPath) override { call("Save_Capture", jpegPath); }

    private:
        void call(const QString &name, const QString &argument = {})
        {
            m_owner.calls << QString(m_side) + u' ' + name + (argument.isEmpty() ? QString() : u' ' + argument);
            if (m_owner.failOn == QString(m_side) + u' ' + name)
                throw std::runtime_error("the view failed as asked");
        }
        FakePickupViews &m_owner;
        QChar m_side;
    };
    View m_left{*this, u'L'};
    View m_right{*this, u'R'};
};

// The intake window: its status texts, scan-name boxes and focus.
class FakePickupWindow : public PickupWindow
{
public:
    QStringList statuses;
    QStringList scanNames;
    int focused = 0;

    void ShowStatus(const QString &text) override { statuses << text; }
    void Show_Scan_Names(const QString &left, const QString &right) override { scanNames = {left, right}; }
    void Take_Focus() override { ++focused; }
};
