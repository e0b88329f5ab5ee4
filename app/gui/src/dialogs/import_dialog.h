#pragma once
// Raw import: how to read a file that no reader knows (size, element type,
// header bytes to skip, byte order).

#include "dialog_values.h"

#include <QDialog>
#include <optional>
#include <vector>

#include <qd/core/document_files.h>
#include <qd/image.h>

class QCheckBox;
class QLineEdit;
class DataTypeGroup;

// Refuses sides below 1 (61446), then an offset that is not a count of bytes
// inside the file or data that the file cannot hold after it (61447).
std::vector<qd::DialogMessage> checkRawImport(const QString& width, const QString& height,
                                              const QString& offset, int position,
                                              int64_t fileSize);

class CImportDialog : public QDialog {
    Q_OBJECT
  public:
    CImportDialog(const QString& path, QWidget* parent = nullptr);

    QLineEdit* widthField() const { return width_; }
    QLineEdit* heightField() const { return height_; }
    QLineEdit* offsetField() const { return offset_; }
    QCheckBox* swapBox() const { return swap_; }
    DataTypeGroup* types() const { return types_; }
    int64_t fileSize() const { return fileSize_; }

    // Valid after acceptance.
    const IMHEADER& header() const { return header_; }
    int64_t offset() const { return offsetValue_; }
    bool byteSwap() const { return byteSwap_; }

    void accept() override;

  private:
    void propose();

    int64_t fileSize_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* offset_;
    QCheckBox* swap_;
    DataTypeGroup* types_;
    IMHEADER header_{};
    int64_t offsetValue_ = 0;
    bool byteSwap_ = false;
};

// The import step of opening a file: what to read, or nothing when cancelled.
std::optional<qd::RawImportRequest> askRawImport(const QString& path, QWidget* parent);
