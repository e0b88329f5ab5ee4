#include "qd_app.h"

#include "brush_style_wnd.h"
#include "plugin_list.h"
#include "plugin_requests.h"
#include "child_frame.h"
#include "histo_frame.h"
#include "import_dialog.h"
#include "main_frame.h"
#include "message_pump.h"
#include "platform.h"
#include "profile.h"
#include "qd_doc.h"
#include "qd_view.h"
#include "recorder/plugin_line.h"
#include "recorded_change.h"
#include "result_frame.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include <qd/core/document_files.h>
#include <qd/core/file_filter_list.h>
#include <qd/core/settings_dir.h>

namespace {

CQDApp* theApp = nullptr;

constexpr int kRecentCount = 4;
const qd::ProfileKey<int> kUndoLimit{"Undo", "MemoryLimit", 256};
const char* const kRecentSection = "Recent File List";

QString recentKey(int i) {
    return QStringLiteral("%1/File%2").arg(QString::fromLatin1(kRecentSection)).arg(i + 1);
}

} // namespace

CQDApp::CQDApp() {
    theApp = this;
    palettes_ = PMCreate(qd::settingsFile(PM_FILE_NAME).c_str());
    kernels_ = std::make_unique<qd::CKernelLibrary>();
    mmKernels_ = std::make_unique<qd::CMMKernelLibrary>();
}

CQDApp::~CQDApp() {
    qd::removeMessagePump();
    if (runningProcessings_ > 0) QGuiApplication::restoreOverrideCursor();
    // Windows first, so that no document outlives the palettes it uses.
    mainFrame_.reset();
    registry_ = qd::ImageRegistry();
    if (palettes_) PMDestroy(palettes_);
    palettes_ = nullptr;
    kernels_.reset();
    mmKernels_.reset();
    plugIns_.reset();
    if (fileFilters_) fileFilters_->write();
    fileFilters_.reset();
    if (theApp == this) theApp = nullptr;
}

CQDApp* CQDApp::instance() { return theApp; }

bool CQDApp::initInstance(const QStringList& arguments, bool show) {
    if (!palettes_ || !kernels_ || !mmKernels_) return false;
    undoBudget_.setLimit(int64_t(std::max(1, kUndoLimit.read())) << 20);
    mainFrame_ = std::make_unique<CMainFrame>();
    qd::installMessagePump();
    loadExtensions();

    // Shown first, so that an image window opened from the command line is
    // laid out and fitted inside a visible frame.
    if (show) mainFrame_->show();
    // The first argument that is not an option names a file to open.
    for (const QString& arg : arguments.mid(1)) {
        if (arg.startsWith('-')) continue;
        return openDocumentFile(arg);
    }
    return true;
}

void CQDApp::loadExtensions() {
    qd::CPlugInRequests* requests = mainFrame_->plugInRequests();
    qd::CPlugInList::Host host;
    host.run = [this, requests](qd::CPlugInEntry& e) {
        runPlugIn(e.name(), [&] { e.run(1, requests->server()); }, QFile::decodeName(e.record().path.c_str()));
    };
    host.state = [requests](qd::CPlugInEntry& e) { return e.menuUpdate(requests->server()); };
    plugIns_ = std::make_unique<qd::CPlugInList>(qd::settingsFile(qd::kPlugInListFile), host);
    plugIns_->load(mainFrame_->imageMenu());
    connect(mainFrame_.get(), &CMainFrame::imageMenuRebuilt, this,
            [this](QMenuBar* bar) { plugIns_->insertAll(bar); });
    fileFilters_ = std::make_unique<qd::CFileFilterList>(qd::settingsFile(qd::kFileFilterListFile));
    fileFilters_->load();
    fileFilters_->loadShipped(qd::shippedFilterFolder());
}

QStringList CQDApp::fileFilterNames(bool save) const {
    QStringList names;
    for (int i = 0; fileFilters_ && i < fileFilters_->count(); ++i) {
        const qd::CFileFilterEntry& f = fileFilters_->at(i);
        if (save ? f.canSave() : f.canOpen())
            names << QStringLiteral("%1 (*.%2)").arg(QString::fromLocal8Bit(f.description()),
                                                     QString::fromLocal8Bit(f.extensionName()));
    }
    return names;
}

qd::SaveHooks CQDApp::saveHooks() const {
    qd::SaveHooks hooks;
    hooks.fileFilters = [this](IMHANDLE im, const std::string& path, const std::string& extension) {
        return fileFilters_ && fileFilters_->save(mainFrame_.get(), im, path, extension);
    };
    return hooks;
}

void CQDApp::runPlugIn(const QString& name, const std::function<void()>& body, const QString& library) {
    if (runningPlugIns_ < 1) {
        runningPlugIns_ = 0;
        stopRequests_ = 0;
    }
    beginProcessing();
    ++runningPlugIns_;
    updateStopButton();
    qd::PlugInSnapshot before(registry_.views());
    qd::PlugInLine line(library);
    body();
    line.finish(before.record(name));
    --runningPlugIns_;
    endProcessing();
    updateStopButton();
}

void CQDApp::updateStopButton() {
    if (mainFrame_) mainFrame_->action(qd::IdStopPlugIn)->setEnabled(runningPlugIns_ > 0 || stoppable_);
}

CChildFrame* CQDApp::openImageWindow(IMHANDLE im, int notSaved, const QString& title) {
    if (!im || !mainFrame_) return nullptr;
    IMSetPalette(im, palettes_);
    IMPrepareBitmap(im);

    auto* doc = new CQDDoc;
    doc->setImage(im);
    doc->setNoFile(notSaved);
    doc->setNotSaved(notSaved);
    doc->setName(title.isEmpty() ? QStringLiteral("untitled%1").arg(++untitledCount_) : title);
    return createFrame(doc);
}

CChildFrame* CQDApp::createFrame(CQDDoc* doc) {
    doc->history().setBudget(&undoBudget_);
    auto* frame = new CChildFrame(doc);
    mainFrame_->mdiArea()->addSubWindow(frame);
    frame->view()->setCursor(mainFrame_->toolCursor(mainFrame_->currentTool()));
    frame->show();
    mainFrame_->fitToImage(frame);
    doc->rebuildTitle();
    mainFrame_->mdiArea()->setActiveSubWindow(frame);
    notifyActiveView(frame->view());
    if (mainFrame_->menuBar() != mainFrame_->imageMenu()) mainFrame_->installImageMenu();
    return frame;
}

CChildFrame* CQDApp::openDocumentWindow(const QString& path) {
    // No reader, and no import dialog, can make anything of a missing file.
    if (!mainFrame_ || !QFileInfo::exists(path)) return nullptr;
    qd::OpenHooks hooks;
    hooks.palettes = palettes_;
    hooks.fileFilters = [this](const std::string& p, const std::string& extension) {
        return fileFilters_ ? fileFilters_->open(mainFrame_.get(), p, extension) : nullptr;
    };
    hooks.rawImport = [this](const std::string& p) {
        return askRawImport(QString::fromStdString(p), mainFrame_.get());
    };
    const qd::OpenedImage opened = qd::openDocumentFile(QFile::encodeName(path).toStdString(), hooks);
    IMHANDLE im = opened.image;
    if (opened.outOfMemory)
        qd::messageBox(mainFrame_.get(),
                       QString::fromStdString(qd::notEnoughMemoryText(opened.width, opened.height,
                                                                      QFileInfo(path).fileName().toStdString())),
                       "warning", qd::MbOk | qd::MbIconWarning);
    if (!im) return nullptr;
    auto* doc = new CQDDoc;
    doc->setImage(im);
    doc->setPath(path);
    CChildFrame* frame = createFrame(doc);
    addRecentFile(path);
    return frame;
}

void CQDApp::onIdle(int count) {
    if (count != 0 || !mainFrame_) return;
    if (mainFrame_->menuBar() != mainFrame_->imageMenu()) {
        mainFrame_->installImageMenu();
        return;
    }
    const QMenu* window = mainFrame_->topMenu(qd::MenuWindow);
    if (window && window->actions().size() >= 2) return;
    mainFrame_->installImageMenu();
}

void CQDApp::setStatusText(int pane, const QString& text) {
    if (mainFrame_) mainFrame_->setStatusText(pane, text);
}

void CQDApp::notifyActiveView(CQDView* view) {
    if (!mainFrame_) return;
    if (plugIns_) plugIns_->refreshBarItems();
    mainFrame_->histogramWindow()->setView(view);
    mainFrame_->brushBar()->setView(view);
}

void CQDApp::beginProcessing() {
    if (runningProcessings_++ == 0)
        QGuiApplication::setOverrideCursor(mainFrame_ ? mainFrame_->busyCursor()
                                                      : QCursor(Qt::WaitCursor));
}

void CQDApp::endProcessing() {
    if (runningProcessings_ > 0 && --runningProcessings_ == 0)
        QGuiApplication::restoreOverrideCursor();
}

void CQDApp::addResultLine(const QString& text) {
    if (mainFrame_) mainFrame_->resultWindow()->addLine(text);
}

void CQDApp::beginStoppableProcessing() {
    stoppable_ = 1;
    stopRequests_ = 0;
    updateStopButton();
}

void CQDApp::endStoppableProcessing() {
    stoppable_ = 0;
    updateStopButton();
}

QStringList CQDApp::recentFiles() const {
    auto profile = qd::openProfile();
    QStringList out;
    for (int i = 0; i < kRecentCount; ++i) {
        const QString f = profile->value(recentKey(i)).toString();
        if (!f.isEmpty()) out.push_back(f);
    }
    return out;
}

void CQDApp::addRecentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(full);
    files.prepend(full);
    auto profile = qd::openProfile();
    for (int i = 0; i < kRecentCount; ++i)
        profile->setValue(recentKey(i), i < files.size() ? files[i] : QString());
    emit recentFilesChanged();
}
