#include "tools/InternetOptionsDialog.h"

#include "core/BrowserOptions.h"
#include "core/modMain.h"
#include "platform/MessageBoxes.h"
#include "tools/InternetOptions.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QPushButton* button(const QString& caption, QWidget* context, std::function<void()> onClick) {
    auto* pushButton = new QPushButton(caption);
    pushButton->setAutoDefault(false); // Enter in a field means 确定
    QObject::connect(pushButton, &QPushButton::clicked, context, std::move(onClick));
    return pushButton;
}

QLabel* note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}
} // namespace

InternetOptionsDialog::InternetOptionsDialog(Setup setup, QWidget* parent)
    : QDialog(parent)
    , m_setup(std::move(setup)) {
    setWindowTitle(QStringLiteral("Internet 选项"));
    setModal(true);
    auto* tabs = new QTabWidget;
    tabs->addTab(createGeneralTab(), QStringLiteral("常规"));
    tabs->addTab(createPagesTab(), QStringLiteral("网页"));
    tabs->addTab(createConnectionTab(), QStringLiteral("连接"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &InternetOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &InternetOptionsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    // Only once it is in the dialog: the dialog then gives it back the default after another
    // button had the focus.
    ok->setDefault(true);
    resize(qMax(sizeHint().width(), 480), sizeHint().height());
}

InternetOptionsDialog::~InternetOptionsDialog() = default;

QWidget* InternetOptionsDialog::createGeneralTab() {
    m_startPage = new QLineEdit(m_setup.startPage);
    m_startPage->setObjectName(QStringLiteral("startPage"));
    auto* address = new QLabel(QStringLiteral("地址(&R):"));
    address->setBuddy(m_startPage);
    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(address);
    addressRow->addWidget(m_startPage, 1);
    auto* current = button(QStringLiteral("使用当前页(&C)"), this,
                           [this] { m_startPage->setText(m_setup.currentAddress); });
    current->setEnabled(!m_setup.currentAddress.isEmpty());
    auto* choices = new QHBoxLayout;
    choices->addStretch();
    choices->addWidget(current);
    choices->addWidget(button(QStringLiteral("使用默认页(&F)"), this,
                              [this] { m_startPage->setText(kDefaultStartPage); }));
    choices->addWidget(button(QStringLiteral("使用空白页(&B)"), this,
                              [this] { m_startPage->setText(QStringLiteral("about:blank")); }));
    auto* home = new QGroupBox(QStringLiteral("主页"));
    auto* homeLayout = new QVBoxLayout(home);
    homeLayout->addWidget(note(QStringLiteral("塔文浏览器启动时和“查看”菜单的“主页”打开的网页。")));
    homeLayout->addLayout(addressRow);
    homeLayout->addLayout(choices);

    auto* history = new QGroupBox(QStringLiteral("浏览历史记录"));
    auto* historyLayout = new QHBoxLayout(history);
    historyLayout->addWidget(note(QStringLiteral("删除访问过的网页的记录和网页缓存。")), 1);
    historyLayout->addWidget(button(QStringLiteral("删除(&D)..."), this, [this] {
        if (m_setup.clearHistory)
            m_setup.clearHistory();
    }));

    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(home);
    layout->addWidget(history);
    layout->addStretch();
    return tab;
}

QWidget* InternetOptionsDialog::createPagesTab() {
    m_encoding = new QComboBox;
    m_encoding->setObjectName(QStringLiteral("encoding"));
    m_encoding->addItem(QStringLiteral("自动检测"), BrowserOptions::kAutoEncoding);
    m_encoding->addItem(QStringLiteral("简体中文（GBK/GB18030）"), QStringLiteral("GB18030"));
    m_encoding->addItem(QStringLiteral("Unicode（UTF-8）"), QStringLiteral("UTF-8"));
    const QString encoding = m_setup.options->defaultEncoding();
    int index = m_encoding->findData(encoding, Qt::UserRole, Qt::MatchFixedString);
    if (index < 0) { // one set by hand stays as it is
        m_encoding->addItem(encoding, encoding);
        index = m_encoding->count() - 1;
    }
    m_encoding->setCurrentIndex(index);

    m_zoom = new QSpinBox;
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setRange(BrowserOptions::kMinZoom, BrowserOptions::kMaxZoom);
    m_zoom->setSingleStep(10);
    m_zoom->setSuffix(QStringLiteral("%"));
    m_zoom->setValue(m_setup.options->defaultZoom());

    auto* tab = new QWidget;
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("默认文字编码(&E):"), m_encoding);
    form->addRow(QStringLiteral("默认缩放(&Z):"), m_zoom);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addWidget(
        note(QStringLiteral("没有声明文字编码的网页按默认文字编码显示；没有单独缩放过的"
                            "网站按默认缩放显示。")));
    layout->addStretch();
    return tab;
}

QWidget* InternetOptionsDialog::createConnectionTab() {
    const ProxyOption proxy = m_setup.options->proxy();
    m_proxyMode = new QButtonGroup(this);
    const QList<QPair<ProxyOption::Mode, QString>> modes = {
        {ProxyOption::Mode::System, QStringLiteral("使用系统代理设置(&S)")},
        {ProxyOption::Mode::None, QStringLiteral("不使用代理服务器(&N)")},
        {ProxyOption::Mode::Manual, QStringLiteral("手动设置代理服务器(&M)")}};
    auto* group = new QGroupBox(QStringLiteral("代理服务器"));
    auto* layout = new QVBoxLayout(group);
    for (const auto& [mode, caption] : modes) {
        auto* radio = new QRadioButton(caption);
        m_proxyMode->addButton(radio, int(mode));
        radio->setChecked(mode == proxy.mode);
        layout->addWidget(radio);
    }

    m_proxyKind = new QComboBox;
    m_proxyKind->setObjectName(QStringLiteral("proxyKind"));
    m_proxyKind->addItem(QStringLiteral("HTTP"));
    m_proxyKind->addItem(QStringLiteral("SOCKS5"));
    m_proxyKind->setCurrentIndex(proxy.kind == ProxyOption::Kind::Socks5 ? 1 : 0);
    m_proxyHost = new QLineEdit(proxy.host);
    m_proxyHost->setObjectName(QStringLiteral("proxyHost"));
    m_proxyPort = new QSpinBox;
    m_proxyPort->setObjectName(QStringLiteral("proxyPort"));
    m_proxyPort->setRange(1, 65535);
    m_proxyPort->setValue(proxy.port ? proxy.port : 8080);
    auto* manual = new QWidget;
    auto* form = new QFormLayout(manual);
    form->addRow(QStringLiteral("类型(&T):"), m_proxyKind);
    form->addRow(QStringLiteral("地址(&A):"), m_proxyHost);
    form->addRow(QStringLiteral("端口(&P):"), m_proxyPort);
    layout->addWidget(manual);
    const auto enableManual = [this, manual] {
        manual->setEnabled(m_proxyMode->checkedId() == int(ProxyOption::Mode::Manual));
    };
    connect(m_proxyMode, &QButtonGroup::idToggled, manual, enableManual);
    enableManual();
    // The page engine takes its proxy once, as it starts.
    layout->addWidget(note(QStringLiteral("代理服务器的设置在下次启动塔文浏览器时生效。")));

    auto* tab = new QWidget;
    auto* tabLayout = new QVBoxLayout(tab);
    tabLayout->addWidget(group);
    tabLayout->addStretch();
    return tab;
}

ProxyOption InternetOptionsDialog::chosenProxy() const {
    ProxyOption proxy;
    proxy.mode = ProxyOption::Mode(m_proxyMode->checkedId());
    proxy.kind =
        m_proxyKind->currentIndex() == 1 ? ProxyOption::Kind::Socks5 : ProxyOption::Kind::Http;
    proxy.host = m_proxyHost->text().trimmed();
    proxy.port = quint16(m_proxyPort->value());
    return proxy;
}

void InternetOptionsDialog::showProblem(const QString& text) {
    m_setup.boxes->inform(this, QStringLiteral("提示"), text, MessageBoxes::Icon::Warning);
}

void InternetOptionsDialog::accept() {
    const QString startPage = m_startPage->text().trimmed();
    const bool newStartPage = StoredStartPage(startPage) != m_setup.startPage;
    const ProxyOption proxy = chosenProxy();
    for (const QString& problem :
         {newStartPage ? StartPageProblem(startPage) : QString(), ProxyProblem(proxy)}) {
        if (!problem.isEmpty())
            return showProblem(problem);
    }
    if (newStartPage) {
        if (const QString problem = SaveStartPage(m_setup.userRegistryFile, startPage);
            !problem.isEmpty())
            return showProblem(problem);
        m_startPageWritten = true;
        m_setup.startPage = startPage;
    }

    // Only what changed: every change is announced to the open pages.
    BrowserOptions& options = *m_setup.options;
    const QString encoding = m_encoding->currentData().toString();
    if (encoding != options.defaultEncoding())
        options.setDefaultEncoding(encoding);
    if (m_zoom->value() != options.defaultZoom())
        options.setDefaultZoom(m_zoom->value());
    const ProxyOption stored = options.proxy();
    if (!(proxy == stored) &&
        !(proxy.mode != ProxyOption::Mode::Manual && proxy.mode == stored.mode))
        options.setProxy(proxy);
    if (!options.save())
        return showProblem(QStringLiteral("无法保存设置到“%1”（文件夹不可写或磁盘已满）。")
                               .arg(options.fileName()));
    QDialog::accept();
}
