// The windowed program's heaviest drawing and its read-out: a 9900-row curve with its graph
// drawn into the persistent picture, and 1000 mouse movements read off that curve.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cmath>

#include "datainput.h"
#include "exchange.h"
#include "form1.h"
#include "handentry.h"
#include "picturebox.h"
#include "plotting.h"
#include "program.h"
#include "textbox.h"

namespace {
// 100 data points and the engine's 9900-row table between them, Linear - Linear.
struct Curve {
    DataPoints points;
    EngineTable table;
    GraphSettings graph;
};
Curve curve() {
    Curve c;
    c.points.DataCount = 100;
    for (int i = 1; i <= 100; ++i) {
        c.points.DataX[i] = i;
        c.points.DataY[i] = 50 + 40 * std::sin(0.2 * i);
    }
    ComputeDataExtremes(c.points);
    EngineTable& t = c.table;
    t.count = 9900;
    t.x.assign(9901, 0.0);
    t.y.assign(9901, 0.0);
    for (int r = 1; r <= 9900; ++r) {
        t.x[r] = 1 + 0.01 * r;
        t.y[r] = 50 + 40 * std::sin(0.2 * t.x[r]);
    }
    t.minX = t.x[1];
    t.maxX = t.x[9900];
    t.minY = 10;
    t.maxY = 90;
    c.graph.mode = 1;
    c.graph.xStart = 0, c.graph.xEnd = 100, c.graph.xStep = 10;
    c.graph.yStart = 0, c.graph.yEnd = 100, c.graph.yStep = 10;
    return c;
}

void BM_DrawGraphAndCurve(benchmark::State& state) {
    const Curve c = curve();
    const GraphSettings& s = c.graph;
    PictureBox picture(QStringLiteral("Picture1"), QSize(720, 540));
    for (auto _ : state) {
        picture.clear();
        DrawGraphFrame(picture, s);
        picture.setDrawWidth(6);
        DrawDataPoints(picture, MappingFor(s), c.points.DataCount, c.points.DataX, c.points.DataY);
        DrawAxisLabels(picture, s);
        picture.setDrawWidth(2);
        DrawTableCurve(picture, MappingFor(s), c.table.view());
        picture.setDrawWidth(1);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_DrawGraphAndCurve)->Unit(benchmark::kMillisecond);

// The main window with the curve drawn as a user gets it: the points taken, their graph drawn,
// an engine run that left the table in F2B.dat, the curve drawn from it.
void BM_ReadOut1000Moves(benchmark::State& state) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const Curve c = curve();
    Form1* f = form1();
    f->takeData(c.points, DataTableLines(c.points));
    for (auto [field, text] : {std::pair{f->xStartField, "0"}, std::pair{f->xEndField, "100"},
                               std::pair{f->xStepField, "10"}, std::pair{f->yStartField, "0"},
                               std::pair{f->yEndField, "100"}, std::pair{f->yStepField, "10"}})
        field->setText(QLatin1String(text));
    f->graphSettingsOkButton->click();
    f->drawPointsButton->click();
    QByteArray rows = QByteArray::number(c.table.count) + "\r\n";
    for (int r = 1; r <= c.table.count; ++r)
        rows += QByteArray::number(c.table.x[r], 'E', 6) + " " +
                QByteArray::number(c.table.y[r], 'E', 6) + "\r\n";
    QFile table(QStringLiteral("F2B.dat"));
    if (!table.open(QIODevice::WriteOnly) || table.write(rows) != rows.size()) {
        state.SkipWithError("F2B.dat cannot be written");
        return;
    }
    table.close();
    const QProcess finished;  // an engine that has already ended
    f->calculationStarted(finished, EngineMethod{});
    f->drawCurveButton->click();
    if (!f->computedTable()) {
        state.SkipWithError("the curve was not drawn");
        return;
    }
    for (auto _ : state) {
        for (int k = 0; k < 1000; ++k) {
            const QPointF at(60 + (k * 7) % 600, 270);
            QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(f->graphPicture, &move);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    ShutdownNodara();
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ReadOut1000Moves)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
