// The program's menu commands and qdcli give the same numbers for the same
// file: qdcli runs as a process, the program in this one.
#include "command_fixture.h"

#include "simple_math_dialog.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <qd/core/npy_file.h>

namespace {

struct Cli {
    int code = -1;
    QString out;
};

Cli qdcli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QDCLI_PATH), args);
    Cli r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return r;
}

using CliParityTest = CommandTest;

TEST_F(CliParityTest, FiveCommandsAndTheStatisticsMatchQdcli) {
    Matrix m = noiseMatrix(16, 16, MT_SHORT, 7);
    {
        Image im(IMCreateFromMatrix(Duplicate2D(m.get(), nullptr)));
        IMDefaultRange(im.get(), 1);
        ASSERT_EQ(IMWriteFile(im.get(), QFile::encodeName(path("in.qdw")).constData()), 1);
    }
    ASSERT_TRUE(app->openDocumentFile(path("in.qdw")));
    CChildFrame* source = frame->childFrames().last();

    struct Case {
        const char* menuPath;
        QStringList cli;
        std::function<void(QDialog&)> answer;
    };
    const std::vector<Case> cases = {
        {"Morphology|Edge Detect", {"StEdgeDetect2D"}, {}},
        {"Filter|Median Filter", {"MedianFilter2D", "--kernel", "Diamond (3 X 3)"}, {}},
        {"Fourier|FT", {"RealFt2D"}, {}},
        {"Morphology|Auto Thresholding", {"autothreshold"}, {}},
        {"Math|Simple Math",
         {"BinOp2D", "--op", "1", "--value", "2.5"},
         [](QDialog& d) {
             auto* s = qobject_cast<CSimpleMathDialog*>(&d);
             ASSERT_NE(s, nullptr);
             s->operatorBox()->setCurrentIndex(1);
             s->valueField()->setText("2.5");
         }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menuPath);
        const QString out = path(QStringLiteral("out%1.npy").arg(n++));
        const Cli cli = qdcli(QStringList(c.cli) << path("in.qdw") << "-o" << out);
        ASSERT_EQ(cli.code, 0);
        Matrix fromCli(qd::readNpyMatrix(QFile::encodeName(out).toStdString()));
        mdiActivate(source);
        CChildFrame* result = run(qd::MenuProcess, c.menuPath, c.answer);
        ASSERT_NE(result, nullptr);
        EXPECT_TRUE(sameMatrix(dataOf(result), fromCli.get()));
    }

    mdiActivate(source);
    run(qd::MenuAnalysis, "All");
    const Cli stats = qdcli({"stats", path("in.qdw")});
    ASSERT_EQ(stats.code, 0);
    EXPECT_EQ(resultLines(), stats.out.split('\n', Qt::SkipEmptyParts));
}

} // namespace
