#include "recorder_frame.h"

#include "platform.h"
#include "recorder.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

CRecorderFrame::CRecorderFrame(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName("RecorderWindow");
    setWindowTitle("recorder");
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFont("Courier New", 9));
    recording_ = new QCheckBox("Recording", this);
    recording_->setChecked(qd::Recorder::instance().recording());
    connect(recording_, &QCheckBox::toggled, this, [](bool on) { qd::Recorder::instance().setRecording(on); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(recording_);
    buttons->addStretch();
    const std::pair<const char*, void (CRecorderFrame::*)()> actions[] = {
        {"Save Script...", &CRecorderFrame::saveScript}, {"Copy", &CRecorderFrame::copy}, {"Clear", &CRecorderFrame::clear}};
    for (const auto& [text, slot] : actions) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString(text).remove("...").remove(' '));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(view_);
    layout->addLayout(buttons);
    resize(560, 200);
    connect(&qd::Recorder::instance(), &qd::Recorder::changed, this, &CRecorderFrame::refresh);
    refresh();
}

void CRecorderFrame::refresh() {
    view_->setPlainText(qd::Recorder::instance().lines().join('\n'));
    // The newest line in sight, from its start.
    view_->moveCursor(QTextCursor::End);
    view_->moveCursor(QTextCursor::StartOfLine);
}

void CRecorderFrame::saveScript() {
    QFileDialog dlg(this, "Save Script");
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters({"Shell script (*.sh)", "All files (*)"});
    dlg.setDefaultSuffix("sh");
    if (qd::runModal(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    if (!qd::Recorder::instance().saveScript(dlg.selectedFiles().first()))
        qd::messageBox(this, "Cannot create file", "error", qd::MbOk | qd::MbIconStop);
}

void CRecorderFrame::copy() { QGuiApplication::clipboard()->setText(qd::Recorder::instance().lines().join('\n') + '\n'); }

void CRecorderFrame::clear() { qd::Recorder::instance().clear(); }

namespace qd {

CRecorderFrame* recorderWindow(QWidget* mainWindow) {
    static QPointer<CRecorderFrame> window;
    if (!window) window = new CRecorderFrame(mainWindow);
    return window;
}

} // namespace qd
