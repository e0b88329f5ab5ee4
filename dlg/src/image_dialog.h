#pragma once
// Dialogs 103 (new image) and 104 (raw file import): one layout, the import
// mode adding the offset and byte order of a file of known size.

#include <QDialog>
#include <QString>
#include <cstdint>

#include <qd/dlg.h>

class QCheckBox;
class QLineEdit;
class DataTypeGroup;

namespace qddlg {

// The fields as typed.
struct ImageEntry {
    QString width;
    QString height;
    int position = 3; // data type radio
    QString offset;   // import only
    bool byteSwap = false;
};

// Checks the entry; on success fills header (and, for an import, where
// fileSize >= 0, the record) and returns an empty text, else returns the
// refusal and leaves both as they were.
QString checkImageEntry(const ImageEntry& entry, int64_t fileSize, IMHEADER& header,
                        QDRAWIMPORT& record);

class ImageDialog : public QDialog {
    Q_OBJECT
  public:
    // fileSize < 0: a new image; else the import of the file named fileName.
    ImageDialog(int64_t fileSize, const QString& fileName, QWidget* parent);

    const IMHEADER& header() const { return header_; }
    const QDRAWIMPORT& record() const { return record_; }

    void accept() override;

  private:
    void propose();
    ImageEntry entry() const;

    int64_t fileSize_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* offset_ = nullptr;
    QCheckBox* swap_ = nullptr;
    DataTypeGroup* types_;
    IMHEADER header_{};
    QDRAWIMPORT record_{};
};

} // namespace qddlg
