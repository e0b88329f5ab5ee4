#pragma once
// Property sheets: a modal dialog of tabbed pages with one OK and one
// Cancel. OK asks every page to check its values, in page order; the first
// page that refuses comes to the front and the sheet stays open with what was
// typed. Only when all pages accept does each page commit (results and
// profile), so Cancel, or a refusal, writes nothing.

#include <QDialog>
#include <QString>
#include <QWidget>

class QDialogButtonBox;
class QTabWidget;

class CPropertyPage : public QWidget {
    Q_OBJECT
  public:
    explicit CPropertyPage(const QString& title, QWidget* parent = nullptr);

    // Shows the page's messages and returns false to keep the sheet open.
    virtual bool validate() { return true; }
    // Stores the results and writes the profile; called once, after every
    // page validated.
    virtual void commit() {}
};

class CPropertySheet : public QDialog {
    Q_OBJECT
  public:
    // caption: the sheet's title (a string of the string table); section:
    // the profile section its pages keep their values in.
    CPropertySheet(const QString& caption, const QString& section, QWidget* parent = nullptr);

    const QString& section() const { return section_; }
    void addPage(CPropertyPage* page);
    int pageCount() const;
    CPropertyPage* page(int index) const;
    QTabWidget* tabs() const { return tabs_; }
    QDialogButtonBox* buttons() const { return buttons_; }

    void accept() override;

  private:
    QString section_;
    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
};
