// The windowed program's heaviest drawing and its read-out: a 9900-row curve with its graph
// drawn into the persistent picture, and 1000 mouse movements read off that curve.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>

#include "exchange.h"
#include "form1.h"
#include "picturebox.h"
#include "plotting.h"
#include "program.h"
#include "state.h"
#include "textbox.h"

namespace {
// 100 data points and the engine's 9900-row table between them, Linear - Linear.
GraphSettings fillState() {
    ClearProgramVariables();
    Ln10 = kLn10;
    DataCount = 100;
    for (int i = 1; i <= 100; ++i) {
        DataX[i] = i;
        DataY[i] = 50 + 40 * std::sin(0.2 * i);
    }
    TableCount = 9900;
    for (int r = 1; r <= 9900; ++r) {
        TableX[r] = 1 + 0.01 * r;
        TableY[r] = 50 + 40 * std::sin(0.2 * TableX[r]);
    }
    TableMinX = TableX[1];
    TableMaxX = TableX[9900];
    TableMinY = 10;
    TableMaxY = 90;
    GraphSettings s;
    s.mode = 1;
    s.xStart = 0, s.xEnd = 100, s.xStep = 10;
    s.yStart = 0, s.yEnd = 100, s.yStep = 10;
    return s;
}

void BM_DrawGraphAndCurve(benchmark::State& state) {
    const GraphSettings s = fillState();
    PictureBox picture(QStringLiteral("Picture1"), QSize(720, 540));
    for (auto _ : state) {
        picture.clear();
        DrawGraphFrame(picture, s);
        picture.setDrawWidth(6);
        DrawDataPoints(picture, MappingFor(s), DataCount, DataX, DataY);
        DrawAxisLabels(picture, s);
        picture.setDrawWidth(2);
        DrawTableCurve(picture, MappingFor(s), StoredTable());
        picture.setDrawWidth(1);
        benchmark::DoNotOptimize(picture.image().constBits());
    }
}
BENCHMARK(BM_DrawGraphAndCurve)->Unit(benchmark::kMillisecond);

void BM_ReadOut1000Moves(benchmark::State& state) {
    fillState();
    Form1* f = form1();
    f->Text5->setText(QStringLiteral("0"));
    f->Text6->setText(QStringLiteral("100"));
    f->Text8->setText(QStringLiteral("0"));
    f->Text9->setText(QStringLiteral("100"));
    XStart = 0, XEnd = 100, YStart = 0, YEnd = 100, XStep = YStep = 10;
    DrawnGraph = f->graphSettings();
    f->Picture1->setScale(MappingFor(*DrawnGraph).scale());
    CurveReady = 1;
    for (auto _ : state) {
        for (int k = 0; k < 1000; ++k) {
            const QPointF at(60 + (k * 7) % 600, 270);
            QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(f->Picture1, &move);
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    ShutdownNodara();
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
