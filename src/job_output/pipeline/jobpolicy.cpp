#include "jobpolicy.h"

const JobPolicy &Soft_Job_Policy()
{
    static const JobPolicy policy{
        JobKind::Soft,
        QStringLiteral("No Working Directory has been Specified"),
        QStringLiteral("Veltrane.Exe"),
        QStringLiteral("Veltrane"),
        QStringLiteral("To Veltrane"),
        QString(),
        QStringLiteral("Do You Want to Enter Veltrane?"),
        QString(),
        QStringLiteral("Warning"),
    };
    return policy;
}

const JobPolicy &Rigid_Job_Policy()
{
    static const JobPolicy policy{
        JobKind::Rigid,
        QStringLiteral("No Working Directory has been specified"),
        QStringLiteral("Kelvaro3D.Exe"),
        QStringLiteral("Kelvaro3D"),
        QStringLiteral("To Kelvaro3D"),
        QStringLiteral("The Kelvaro3D Program was Not Found"),
        QStringLiteral("Do You Want to Enter the Kelvaro3D Program?"),
        QStringLiteral("Missing File"),
        QStringLiteral("Warning"),
    };
    return policy;
}
