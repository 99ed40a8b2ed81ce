#pragma once

#include "browser/Services.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class SolidSurface;

// The open-location dialog: an address or a local file to open in a new browser window.
// One shared, modeless instance for the process; it has no default or cancel button, so
// Enter in the box and Escape do nothing. Closing it discards what was typed.
class frmOpen final : public QWidget {
    Q_OBJECT
public:
    explicit frmOpen(const Services& services);
    ~frmOpen() override;
    Q_DISABLE_COPY_MOVE(frmOpen)

    // Shows the shared dialog, creating and loading it when none is open, else bringing it
    // forward.
    static frmOpen* ShowShared(const Services& services);
    static frmOpen* instance();

    void cmdConfirm_Click();
    void cmdCancel_Click();
    void cmdOpen_Click();

    QLabel* SkinLabel1 = nullptr;
    QLabel* SkinLabel2 = nullptr;
    QLineEdit* txtURL = nullptr;
    QPushButton* cmdConfirm = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOpen = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();

    Services m_services;
    SolidSurface* m_surface = nullptr;
};
