#include "print_page.h"

#include "child_frame.h"
#include "main_frame.h"
#include "platform.h"
#include "qd_view.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

namespace qd {

QRect printTarget(QSize page, QSize image, int xDpi, int yDpi) {
    if (image.isEmpty() || xDpi <= 0 || yDpi <= 0) return {};
    const double aspect = double(yDpi) / xDpi;
    const double availW = page.width() * 0.8, availH = page.height() * 0.8;
    const int fx = static_cast<int>(availW / image.width());
    const int fy = static_cast<int>(availH / (image.height() * aspect));
    const int f = std::max(1, std::min(fx, fy));
    const int w = image.width() * f;
    const int h = static_cast<int>(image.height() * f * aspect);
    return QRect((page.width() - w) / 2, page.height() / 10, w, h);
}

} // namespace qd

namespace {

void printImage(QPrinter* printer, IMHANDLE im) {
    QPainter p(printer);
    if (!p.isActive()) return;
    const QRect target = qd::printTarget(QSize(printer->width(), printer->height()),
                                         QSize(IMGetImageWidth(im), IMGetImageHeight(im)),
                                         printer->logicalDpiX(), printer->logicalDpiY());
    // Draw through the image's own draw rectangle, then give the screen its own back.
    const QDRECT old =
        IMSetDrawRect(im, target.left(), target.top(), target.right() + 1, target.bottom() + 1);
    IMDrawImage(im, &p);
    IMSetDrawRect(im, old.left, old.top, old.right, old.bottom);
}

} // namespace

void CMainFrame::filePrint() {
    CChildFrame* f = activeChild();
    if (!f) return;
    QPrinter printer;
    QPrintDialog dlg(&printer, this);
    if (qd::runModal(dlg) == QDialog::Accepted) printImage(&printer, f->view()->image());
}

void CMainFrame::filePrintPreview() {
    CChildFrame* f = activeChild();
    if (!f) return;
    QPrinter printer;
    QPrintPreviewDialog dlg(&printer, this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [im = f->view()->image()](QPrinter* p) { printImage(p, im); });
    qd::runModal(dlg);
}
