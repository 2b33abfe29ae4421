// Prepare benchmark: the Ruru-Zirorur EVA window's "Prepare Script" from the
// press to the soft window shown with the handed-over record read, in the
// whole program as it joins its parts, on the offscreen platform: the
// record and "Solvane.Cfg" written, the main size lists set, the soft
// window loaded (lists, option table, tabs) or, when it is open already,
// running its opening again on the new record.
//   prepare_bench [repetitions]

#include "console_prompter.h"
#include "mainwindow.h"
#include "preparescript.h"
#include "programparts.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The clinic a demo working folder has: its user folder, name lists and
// option table.
bool prepareHome(const QString &root)
{
    const QString clinic = root + QStringLiteral("/Data/DemoClinic");
    return QDir().mkpath(clinic)
           && writeFile(root + QStringLiteral("/Solvane.Cfg"), "DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\n")
           && writeFile(root + QStringLiteral("/Podiatrist.Cfg"), "Podiatrists\r\nDr Ann Lee\r\nDr Tom Hart\r\nEnd\r\n")
           && writeFile(root + QStringLiteral("/Clinic.Cfg"), "Clinics\r\nDemo Clinic;1 High Street\r\nEnd\r\n")
           && QFile::copy(QStringLiteral(SOLVANE_SOURCE_DIR "/tools/demo-home/Solvane.Tbl"),
                          root + QStringLiteral("/Solvane.Tbl"));
}

IntakeFields typed(int n)
{
    IntakeFields f;
    f.boxes.Text1 = QStringLiteral("Ann");
    f.boxes.Text2 = QStringLiteral("Lee%1").arg(n);
    f.boxes.Text3 = Job().JobNumber;
    f.boxes.measurements = PellmarMeasurements::cleared();
    f.podiatrist = QStringLiteral("Dr Ann Lee");
    f.clinic = QStringLiteral("Demo Clinic;1 High Street");
    f.footSizes = {QStringLiteral("9"), QStringLiteral("10")};
    return f;
}

// One press: from the call to the soft window shown and its pending events run.
double press(int n)
{
    const auto start = std::chrono::steady_clock::now();
    if (Run_Prepare_Script(*Prepare_Route(QStringLiteral("ScanForm2")), typed(n)) != PrepareOutcome::Done)
        return -1;
    QWidget *form = Windows().loaded(QStringLiteral("ScriptForm1"));
    if (!form || !form->isVisible())
        return -1;
    QCoreApplication::processEvents();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void closeSoftWindow()
{
    Windows().unload(QStringLiteral("ScriptForm1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int repetitions = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 20;

    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("3DEriruvu"));
    qputenv("SOLVANE_HOME", QFile::encodeName(root));
    if (!prepareHome(root)) {
        std::fprintf(stderr, "cannot prepare %s\n", qPrintable(root));
        return 1;
    }
    Set_Prompter(std::make_shared<bench::ConsolePrompter>());
    Join_Program_Parts();
    auto window = std::make_unique<MainForm>();
    if (window->Form_Load(QString()) != StartupOutcome::Ready)
        return 1;
    Job().ScannerDataFolder = Job().CurrentFolder + u'/';
    closeSoftWindow();

    std::vector<double> first, open;
    const double coldest = press(0); // the first soft window of the process
    for (int i = 1; i <= repetitions; ++i) {
        closeSoftWindow();
        first.push_back(press(i));
    }
    for (int i = 1; i <= repetitions; ++i)
        open.push_back(press(repetitions + i));
    if (coldest < 0 || std::count(first.begin(), first.end(), -1.0) || std::count(open.begin(), open.end(), -1.0)) {
        std::fprintf(stderr, "a press did not end with the soft window shown\n");
        return 1;
    }

    std::printf("| case | first run ms | median ms | best ms |\n|---|---:|---:|---:|\n");
    std::printf("| soft window opens (first in the process) | %.1f | - | - |\n", coldest);
    std::printf("| soft window opens | - | %.1f | %.1f |\n", median(first),
                *std::min_element(first.begin(), first.end()));
    std::printf("| soft window open already | - | %.1f | %.1f |\n", median(open),
                *std::min_element(open.begin(), open.end()));
    Windows().reset();
    return 0;
}
