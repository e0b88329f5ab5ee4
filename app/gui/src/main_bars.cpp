// Tool bars, status bar, tool icons and cursors of the main window.
#include "main_frame.h"
#include "qd_app.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

struct ToolSpec {
    int id;
    const char* name;
    const char* tip; // tool tip, then the fly-by text
};

const ToolSpec kTools[] = {
    {qd::IdNormalCursor, "NormalCursor", "Normal cursor\nnormal cursor"},
    {qd::IdSelectCursor, "SelectCursor", "Select cursor\nselect cursor"},
    {qd::IdMoveCursor, "MoveCursor", "Move cursor\nmove cursor"},
    {qd::IdZoomCursor, "ZoomCursor", "Zoom cursor\nzoom cursor"},
    {qd::IdBrushCursor, "BrushCursor", "Brush cursor\nbrush cursor"},
    {qd::IdProfileCursor, "ProfileCursor", "Profile cursor\nprofile cursor"},
    {qd::IdMeasureCursor, "MeasurementCursor", "Measurement cursor\nmeasurement cursor"},
};

// The tools' glyphs, drawn rather than shipped as files, on a 16 x 16 grid.
void drawGlyph(QPainter& p, int id) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    switch (id) {
    case qd::IdNormalCursor: {
        QPainterPath a;
        a.moveTo(3, 1);
        a.lineTo(3, 14);
        a.lineTo(6, 11);
        a.lineTo(9, 15);
        a.lineTo(11, 14);
        a.lineTo(8, 10);
        a.lineTo(12, 10);
        a.closeSubpath();
        p.fillPath(a, Qt::white);
        p.drawPath(a);
        break;
    }
    case qd::IdSelectCursor:
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(QRectF(2.5, 3.5, 11, 9));
        break;
    case qd::IdMoveCursor:
        p.drawLine(QPointF(8, 1), QPointF(8, 15));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
        for (auto [x, y, dx, dy] : {std::tuple{8, 1, 1, 1}, {8, 15, 1, -1}})
            p.drawPolyline(QPolygonF(
                {QPointF(x - 3 * dx, y + 3 * dy), QPointF(x, y), QPointF(x + 3 * dx, y + 3 * dy)}));
        for (auto [x, y, dx] : {std::tuple{1, 8, 1}, {15, 8, -1}})
            p.drawPolyline(
                QPolygonF({QPointF(x + 3 * dx, y - 3), QPointF(x, y), QPointF(x + 3 * dx, y + 3)}));
        break;
    case qd::IdZoomCursor:
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(Qt::black, 2.5));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        break;
    case qd::IdBrushCursor:
        p.setBrush(Qt::black);
        p.drawRect(QRectF(9, 1, 3, 8));
        p.drawEllipse(QRectF(7, 9, 7, 6));
        break;
    case qd::IdProfileCursor:
        p.drawPolyline(QPolygonF(
            {QPointF(1, 12), QPointF(4, 6), QPointF(7, 10), QPointF(10, 3), QPointF(15, 9)}));
        break;
    case qd::IdMeasureCursor:
        p.drawRect(QRectF(1.5, 5.5, 13, 5));
        for (int x = 3; x < 14; x += 2)
            p.drawLine(QPointF(x, 5.5), QPointF(x, x % 4 == 3 ? 8.5 : 7.5));
        break;
    case qd::IdEditCut:
        p.drawEllipse(QRectF(2.5, 10.5, 4, 4));
        p.drawEllipse(QRectF(9.5, 10.5, 4, 4));
        p.drawLine(QPointF(5.5, 10.5), QPointF(11, 1));
        p.drawLine(QPointF(10.5, 10.5), QPointF(5, 1));
        break;
    case qd::IdEditCopy:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        break;
    case qd::IdEditPaste:
        p.setBrush(QColor(0xC8, 0xA0, 0x60));
        p.drawRect(QRectF(2.5, 2.5, 11, 12));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 5, 3));
        p.drawRect(QRectF(6.5, 7.5, 8, 7));
        break;
    case qd::IdFilePrint:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    default:
        break;
    }
}

QPixmap glyph(int id, int size = 16) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(size / 16.0, size / 16.0);
    drawGlyph(p, id);
    return pm;
}

} // namespace

void CMainFrame::createBars() {
    QStyle* st = style();
    named_["New"]->setIcon(st->standardIcon(QStyle::SP_FileIcon));
    named_["Open"]->setIcon(st->standardIcon(QStyle::SP_DialogOpenButton));
    named_["Save"]->setIcon(st->standardIcon(QStyle::SP_DialogSaveButton));
    named_["Cut"]->setIcon(QIcon(glyph(qd::IdEditCut)));
    named_["Copy"]->setIcon(QIcon(glyph(qd::IdEditCopy)));
    named_["Paste"]->setIcon(QIcon(glyph(qd::IdEditPaste)));
    named_["Print"]->setIcon(QIcon(glyph(qd::IdFilePrint)));
    for (const char* n : {"New", "Open", "Save", "Cut", "Copy", "Paste", "Print"})
        named_[n]->setToolTip(named_[n]->text().remove('&').section('\t', 0, 0).remove("..."));

    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusive(true);
    for (const ToolSpec& t : kTools) {
        const QString tip = QString::fromLatin1(t.tip);
        QAction* a = addAction(t.name, tip.section('\n', 0, 0), [this, id = t.id] { setTool(id); });
        a->setIcon(QIcon(glyph(t.id)));
        a->setCheckable(true);
        a->setToolTip(tip.section('\n', 0, 0));
        a->setStatusTip(tip.section('\n', 1, 1));
        a->setData(t.id);
        toolGroup_->addAction(a);
        actions_.insert(t.id, a);
    }
    actions_[qd::IdNormalCursor]->setChecked(true);

    mainBar_ = addToolBar("main tools");
    mainBar_->setObjectName("MainToolBar");
    mainBar_->setIconSize(QSize(16, 15));
    for (const char* n : {"New", "Open", "Save", "", "Cut", "Copy", "Paste", "", "Print", ""}) {
        if (*n)
            mainBar_->addAction(named_[n]);
        else
            mainBar_->addSeparator();
    }
    for (const ToolSpec& t : kTools)
        mainBar_->addAction(actions_[t.id]);

    stopBar_ = addToolBar("plug-in stop");
    stopBar_->setObjectName("StopBar");
    QAction* stop = addAction("StopPlugIn", "Stop", [] { qdApp()->requestStop(); });
    stop->setToolTip("To stop Plug-In");
    stop->setStatusTip("Stop Plug-In");
    stop->setEnabled(false);
    actions_.insert(qd::IdStopPlugIn, stop);
    stopBar_->addAction(stop);
}

void CMainFrame::createStatusBar() {
    messagePane_ = new QLabel(this);
    messagePane_->setObjectName("MessagePane");
    statusBar()->addWidget(messagePane_, 1);
    for (const char* n : {"CAP", "NUM", "SCRL"}) {
        auto* l = new QLabel(QString::fromLatin1(n), this);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setEnabled(false); // an indicator reads as off until its key is on
        statusBar()->addPermanentWidget(l);
        indicators_.push_back(l);
    }
}

void CMainFrame::createCursors() {
    cursors_.insert(qd::IdNormalCursor, QCursor(Qt::ArrowCursor));
    cursors_.insert(qd::IdSelectCursor, QCursor(Qt::CrossCursor));
    cursors_.insert(qd::IdMoveCursor, QCursor(Qt::SizeAllCursor));
    cursors_.insert(qd::IdZoomCursor, QCursor(glyph(qd::IdZoomCursor, 32), 12, 12));
    cursors_.insert(qd::IdBrushCursor, QCursor(glyph(qd::IdBrushCursor, 32), 20, 30));
    cursors_.insert(qd::IdProfileCursor, QCursor(Qt::CrossCursor));
    cursors_.insert(qd::IdMeasureCursor, QCursor(glyph(qd::IdMeasureCursor, 32), 2, 16));
    busyCursor_ = QCursor(Qt::WaitCursor);
}
