// The viewer's heaviest step: loading a saved 9900-row table (100 data points) from its file
// and drawing its graph, as "グラフ描画" does, in a linear and a logarithmic scale mode; beside
// it the main window's drawing of the same table (frame, points, labels, curve).
// `--pictures=DIR` writes the last picture of each benchmark into DIR as a PNG file, so that two
// builds can be compared pixel for pixel.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "filelists.h"
#include "form6.h"
#include "picturebox.h"
#include "plotting.h"
#include "program.h"
#include "savedtable.h"
#include "state.h"

namespace {
QString picturesDir;  // where the last pictures go; empty for none

void keepPicture(const QString& name, const PictureBox& picture) {
    if (!picturesDir.isEmpty())
        picture.image().save(picturesDir + u'/' + name + QStringLiteral(".png"));
}

QByteArray savedValue(double v) {
    return QByteArray(v > 0 ? "+" : "-") + QString::asprintf("%.5E", std::fabs(v)).toLatin1();
}

// A saved file of 100 points from X = 1 to 100 and the 9900 rows between them.
QByteArray savedFile(int mode) {
    const bool logY = mode == 2 || mode == 4;
    QByteArray b = " " + QByteArray::number(mode) + " \r\n";
    b += mode >= 3 ? "1.0E+00\r\n1.0E+02\r\n10\r\n" : "0\r\n100\r\n10\r\n";
    b += logY ? "1.0E+00\r\n1.0E+02\r\n10\r\n" : "0\r\n100\r\n10\r\n";
    auto y = [](double x) { return 50 + 40 * std::sin(0.2 * x); };
    b += " 9900 \r\n";
    for (int r = 1; r <= 9900; ++r) {
        const double x = 1 + 0.01 * r;
        b += savedValue(x) + ",  " + savedValue(y(x)) + "\r\n";
    }
    b += " 100 \r\n";
    for (int i = 1; i <= 100; ++i) b += savedValue(i) + ",  " + savedValue(y(i)) + "\r\n";
    return b;
}

void BM_ViewerLoadAndDraw(benchmark::State& state) {
    const int mode = int(state.range(0));
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile file(dir.filePath(QStringLiteral("bench-Sp.csv")));
    file.open(QIODevice::WriteOnly);
    file.write(savedFile(mode));
    file.close();
    Form6* v = form6();
    v->prepare();
    v->fileList->setCurrentRow(0);
    for (auto _ : state) {
        v->drawGraph();
        benchmark::DoNotOptimize(v->graphPicture->image().constBits());
    }
    if (!v->shown() || v->shown()->rows.count != 9900)
        state.SkipWithError("the table was not loaded");
    keepPicture(QStringLiteral("viewer-%1").arg(mode), *v->graphPicture);
    ShutdownNodara();
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ViewerLoadAndDraw)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// The same table drawn as the main window draws its graph and then its curve.
void BM_MainWindowDrawsTheTable(benchmark::State& state) {
    const int mode = int(state.range(0));
    SavedTable file;
    ParseSavedTable(savedFile(mode), file);
    const ViewedTable table = ViewSavedTable(file, QString());
    const GraphMapping mapping = MappingFor(table.graph);
    PictureBox picture(QStringLiteral("Picture1"), QSize(720, 540));
    for (auto _ : state) {
        picture.clear();
        DrawGraphFrame(picture, table.graph);
        picture.setDrawWidth(6);
        DrawDataPoints(picture, mapping, file.dataCount, table.pointX.data(), table.pointY.data());
        DrawAxisLabels(picture, table.graph);
        picture.setDrawWidth(2);
        DrawTableCurve(picture, mapping, table.rows.view());
        picture.setDrawWidth(1);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
    keepPicture(QStringLiteral("main-%1").arg(mode), picture);
}
BENCHMARK(BM_MainWindowDrawsTheTable)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString picturesOption = QStringLiteral("--pictures=");
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!arg.startsWith(picturesOption)) continue;
        picturesDir = arg.mid(picturesOption.size());
        for (int k = i; k < argc; ++k) argv[k] = argv[k + 1];
        --argc;
        break;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
