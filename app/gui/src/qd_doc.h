#pragma once
// An image document: owns one image, its flags and its name. No widgets.

#include <QObject>
#include <QString>

#include "undo_history.h"

#include <memory>

#include <qd/core/document_files.h>
#include <qd/image.h>

class CQDDoc : public QObject {
    Q_OBJECT
  public:
    explicit CQDDoc(QObject* parent = nullptr);
    ~CQDDoc() override; // destroys the image

    IMHANDLE image() const { return image_; }
    void setImage(IMHANDLE im) { image_ = im; }

    int noFile() const { return noFile_; }
    int notSaved() const { return notSaved_; }
    void setNoFile(int v) { noFile_ = v; }
    // Set by a change the history does not hold, the saved state is out of
    // its reach; cleared, the present state is the saved one.
    void setNotSaved(int v);

    // ---- Undo and redo of changes in place ----
    qd::CUndoHistory& history() { return history_; }
    // A change just made to the image; the not-saved flag follows.
    void recordChange(std::unique_ptr<qd::UndoStep> step);
    bool undo();
    bool redo();

    // "%s : %d X %d  <%d:%d>": name, size and magnification.
    QString title() const { return title_; }
    // The title up to its first colon, less the blank before it.
    QString name() const { return nameOf(title_); }
    void setName(const QString& name);
    void rebuildTitle();
    static QString nameOf(const QString& title);

    // Commands reading the image while they run; its image must not change
    // under them.
    void beginUse() { ++users_; }
    void endUse() { --users_; }
    bool inUse() const { return users_ > 0; }

    QString path() const { return path_; }
    // Sets the path and names the document after the file.
    void setPath(const QString& path);

    // Writes the image by the path's extension. On success both flags clear,
    // the path and name follow the file. Nothing changes on failure.
    // Formats beyond the built-in ones come through the hooks.
    bool saveToPath(const QString& path, const qd::SaveHooks& hooks = {});

  signals:
    void titleChanged(const QString& title);
    // A step was recorded, undone or redone.
    void historyChanged();

  private:
    IMHANDLE image_ = nullptr;
    int noFile_ = 0;
    int notSaved_ = 0;
    int users_ = 0;
    qd::CUndoHistory history_;
    QString title_;
    QString path_;
};
