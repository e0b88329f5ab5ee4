#pragma once
// The application object: owns the palette manager, the kernel libraries,
// the image-window registry and the counters, runs start-up and shutdown,
// and offers the services the windows and commands call.

#include "image_registry.h"
#include "undo_history.h"

#include <QObject>
#include <QStringList>
#include <memory>

#include <functional>

#include <qd/core/document_files.h>
#include <qd/core/kernel_library.h>
#include <qd/image.h>

class CChildFrame;
class CMainFrame;
class CQDDoc;
class CQDView;
namespace qd {
class CFileFilterList;
class CPlugInList;
} // namespace qd

class CQDApp : public QObject {
    Q_OBJECT
  public:
    // Construction: palette manager and kernel libraries from their files.
    CQDApp();
    // Destruction in order: registry, palettes, kernel libraries.
    ~CQDApp() override;

    static CQDApp* instance();
    static inline const char* kTitle = "Quidora v1.02b";

    // Start-up from the profile on: main window, menu, command line, show.
    // False ends the program.
    bool initInstance(const QStringList& arguments, bool show = true);

    CMainFrame* mainFrame() const { return mainFrame_.get(); }

    // ---- Documents (image windows) ----
    CChildFrame* openImageWindow(IMHANDLE im, int notSaved, const QString& title = {});
    bool openDocumentFile(const QString& path) { return openDocumentWindow(path) != nullptr; }
    // The window of the opened file, or null when no reader took it.
    CChildFrame* openDocumentWindow(const QString& path);
    // Save through the installed file filters for other extensions.
    qd::SaveHooks saveHooks() const;
    // Menu repair on the first idle pass (count 0).
    void onIdle(int count);

    // ---- Services ----
    void setStatusText(int pane, const QString& text);
    void notifyActiveView(CQDView* view);
    // The busy cursor shows while any processing runs.
    void beginProcessing();
    void endProcessing();
    int runningProcessingCount() const { return runningProcessings_; }
    void addResultLine(const QString& text);
    void beginStoppableProcessing();
    void endStoppableProcessing();
    int stoppableProcessing() const { return stoppable_; }
    int stopRequestCount() const { return stopRequests_; }
    void requestStop() { ++stopRequests_; }
    // Runs a plug-in's code as a processing with the Stop button enabled;
    // what it changes in each image becomes one step named name there. The
    // recorder writes the run as a qdcli plugin line of library.
    void runPlugIn(const QString& name, const std::function<void()>& body, const QString& library = {});
    int runningPlugInCount() const { return runningPlugIns_; }

    qd::ImageRegistry& registry() { return registry_; }
    // The memory all images' undo steps share ("Undo", "MemoryLimit" in MB).
    qd::UndoBudget& undoBudget() { return undoBudget_; }
    PMHANDLE paletteManager() const { return palettes_; }
    qd::CKernelLibrary* kernelLibrary() const { return kernels_.get(); }
    qd::CMMKernelLibrary* mmKernelLibrary() const { return mmKernels_.get(); }
    qd::CPlugInList* plugInList() const { return plugIns_.get(); }
    qd::CFileFilterList* fileFilterList() const { return fileFilters_.get(); }
    // "%s (*.%s)" of every filter that can open (or save), in list order.
    QStringList fileFilterNames(bool save) const;

    // ---- Recent files (4 entries, newest first) ----
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);

  signals:
    void recentFilesChanged();

  private:
    CChildFrame* createFrame(CQDDoc* doc);
    void loadExtensions();
    void updateStopButton();

    int stoppable_ = 0;
    int stopRequests_ = 0;
    int runningPlugIns_ = 0;
    std::unique_ptr<qd::CFileFilterList> fileFilters_;
    std::unique_ptr<qd::CPlugInList> plugIns_;
    std::unique_ptr<qd::CKernelLibrary> kernels_;
    std::unique_ptr<qd::CMMKernelLibrary> mmKernels_;
    PMHANDLE palettes_ = nullptr;
    int runningProcessings_ = 0;
    int untitledCount_ = 0;
    qd::ImageRegistry registry_;
    qd::UndoBudget undoBudget_{int64_t(256) << 20};
    std::unique_ptr<CMainFrame> mainFrame_;
};

// The running application object.
inline CQDApp* qdApp() { return CQDApp::instance(); }

// The version the About box shows and recorded scripts name.
inline constexpr const char* kQuidoraVersion = "1.10b";
