// RunImportDialog through its C interface, on files made by the test.
#include "modal_driver.h"

#include <qd/dlg.h>

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class ImportDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QByteArray file(const QString& name, qint64 size) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'q'));
        return dir.filePath(name).toLocal8Bit();
    }

    // Notes the proposed sides into the list.
    static void note(QDialog& d, QStringList& out) {
        out << lineEdit(d, "width")->text() + "x" + lineEdit(d, "height")->text();
    }

    QTemporaryDir dir;
    IMHEADER header{};
    QDRAWIMPORT record{-1, -1, -1};
};

} // namespace

TEST_F(ImportDialogTest, ProposesSquaresForTheChosenType) {
    const QByteArray path = file("square.raw", 1048576);
    QStringList sides;
    QString offset;
    ModalDriver driver({[&](QDialog& d) {
        note(d, sides);
        offset = lineEdit(d, "offset")->text();
        click(d, "unsigned long");
        note(d, sides);
        click(d, "binary");
        note(d, sides);
        click(d, "unsigned long");
        pressOk(d);
        return true;
    }});
    ASSERT_EQ(RunImportDialog(nullptr, path.constData(), &header, &record), 1);
    ASSERT_EQ(driver.titles.size(), 1u);
    EXPECT_EQ(driver.titles[0], "1048576 Bytes : square.raw");
    EXPECT_EQ(offset, "0");
    EXPECT_EQ(sides, QStringList({"1024x1024", "512x512", "2896x2896"}));
    EXPECT_EQ(record.Offset, 0);
    EXPECT_EQ(record.DataSize, 1048576);
    EXPECT_EQ(record.ByteSwap, 0);
    EXPECT_STREQ(header.Version, "Quidora 1.00");
    EXPECT_EQ(header.Width, 512);
    EXPECT_EQ(header.Height, 512);
    EXPECT_EQ(header.DataType, 128);
    EXPECT_EQ(header.Levels, 256);
    EXPECT_DOUBLE_EQ(header.Scale, 1.0);
}

TEST_F(ImportDialogTest, OffsetAndSwapReachTheRecord) {
    const QByteArray path = file("frame.dat", 65536 + 16);
    QStringList sides;
    ModalDriver driver({
        [&](QDialog& d) {
            setField(d, "offset", "16");
            click(d, "short"); // recomputed from the bytes after the offset
            note(d, sides);
            setField(d, "width", "100");
            setField(d, "height", "50");
            click(d, "byte-swap");
            pressOk(d);
            return true;
        },
    });
    ASSERT_EQ(RunImportDialog(nullptr, path.constData(), &header, &record), 1);
    EXPECT_EQ(sides, QStringList({"181x181"}));
    EXPECT_EQ(record.Offset, 16);
    EXPECT_EQ(record.DataSize, 10000);
    EXPECT_EQ(record.ByteSwap, 1);
    EXPECT_EQ(header.DataType, 16);
}

TEST_F(ImportDialogTest, PackedRowsStartOnAByte) {
    const QByteArray path = file("bits.dat", 64);
    ModalDriver driver({[](QDialog& d) {
        click(d, "binary");
        setField(d, "width", "9");
        setField(d, "height", "2");
        pressOk(d);
        return true;
    }});
    ASSERT_EQ(RunImportDialog(nullptr, path.constData(), &header, &record), 1);
    EXPECT_EQ(record.DataSize, 4);
    EXPECT_EQ(header.DataType, 1);
}

TEST_F(ImportDialogTest, DataBeyondTheFileIsRefusedAndTheDialogStays) {
    const QByteArray path = file("short.raw", 1048576);
    const QDRAWIMPORT before = record;
    ModalDriver driver({
        [](QDialog& d) {
            click(d, "unsigned short"); // proposes 724 x 724
            setField(d, "width", "1024");
            setField(d, "height", "1024");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            // 724 x 724 x 2 bytes fit from byte 0, not from past the end.
            setField(d, "width", "724");
            setField(d, "height", "724");
            setField(d, "offset", "1048577");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            setField(d, "offset", "ten");
            pressOk(d);
            return true;
        },
        [](QDialog& d) {
            pressCancel(d);
            return true;
        },
    });
    EXPECT_EQ(RunImportDialog(nullptr, path.constData(), &header, &record), 0);
    EXPECT_TRUE(driver.allStepsDone());
    ASSERT_EQ(driver.boxes.size(), 3u);
    for (const SeenBox& b : driver.boxes) {
        EXPECT_EQ(b.text, "File size is too short");
        EXPECT_EQ(b.title, "warning");
        EXPECT_EQ(b.icon, QMessageBox::Warning);
    }
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
    EXPECT_EQ(header.Width, 0);
}

TEST_F(ImportDialogTest, MissingFileReturnsZeroWithoutADialog) {
    ModalDriver driver({});
    const QByteArray missing = dir.filePath("absent.raw").toLocal8Bit();
    EXPECT_EQ(RunImportDialog(nullptr, missing.constData(), &header, &record), 0);
    EXPECT_EQ(RunImportDialog(nullptr, dir.path().toLocal8Bit().constData(), &header, &record), 0);
    EXPECT_EQ(RunImportDialog(nullptr, nullptr, &header, &record), 0);
    EXPECT_TRUE(driver.titles.empty());
    EXPECT_EQ(driver.forced, 0);
    EXPECT_EQ(record.Offset, -1);
    EXPECT_EQ(record.DataSize, -1);
}
