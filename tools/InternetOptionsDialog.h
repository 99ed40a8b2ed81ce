#pragma once

#include <QDialog>
#include <functional>

class BrowserOptions;
class MessageBoxes;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;
struct ProxyOption;

// Internet 选项: the start page (written into the user's registry file), clearing the traces,
// the default text encoding and zoom of pages, and the proxy. 确定 writes what changed and
// closes; what cannot be written is named in a "提示" and the dialog stays open. 取消 writes
// nothing.
class InternetOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString startPage;        // what the next window starts with
        QString currentAddress;   // the window's page, for 使用当前页
        QString userRegistryFile; // where the start page is written
        BrowserOptions* options = nullptr;
        MessageBoxes* boxes = nullptr;
        // 清除历史记录 with its question.
        std::function<void()> clearHistory;
    };

    explicit InternetOptionsDialog(Setup setup, QWidget* parent = nullptr);
    ~InternetOptionsDialog() override;
    Q_DISABLE_COPY_MOVE(InternetOptionsDialog)

    void accept() override;
    // Whether 确定 wrote a new start page.
    bool startPageWritten() const { return m_startPageWritten; }

private:
    QWidget* createGeneralTab();
    QWidget* createPagesTab();
    QWidget* createConnectionTab();
    ProxyOption chosenProxy() const;
    void showProblem(const QString& text);

    Setup m_setup;
    bool m_startPageWritten = false;
    QLineEdit* m_startPage = nullptr;
    QComboBox* m_encoding = nullptr;
    QSpinBox* m_zoom = nullptr;
    QButtonGroup* m_proxyMode = nullptr;
    QComboBox* m_proxyKind = nullptr;
    QLineEdit* m_proxyHost = nullptr;
    QSpinBox* m_proxyPort = nullptr;
};
