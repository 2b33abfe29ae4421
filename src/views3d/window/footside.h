#pragma once
// The two foot views are twins; this names what differs by side.

#include <QString>

enum class FootSide { Left, Right };

inline QString Side_Name(FootSide side) // "Left", "Right": CurrentFoot, captions
{
    return side == FootSide::Left ? QStringLiteral("Left") : QStringLiteral("Right");
}

inline QString View_Window_Name(FootSide side) // the registry's and objectName
{
    return side == FootSide::Left ? QStringLiteral("Form1") : QStringLiteral("Form2");
}

inline QChar Side_Letter(FootSide side)
{
    return side == FootSide::Left ? QLatin1Char('L') : QLatin1Char('R');
}
