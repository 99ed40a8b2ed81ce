// The search box and the search action of a browser window.
#include "browser/frmMain.h"

#include "browser/TextBox.h"
#include "core/modMain.h"
#include "platform/MessageBoxes.h"
#include "search/SearchUrl.h"

#include <QPointer>

void frmMain::DoSearch() {
    const QString keyword = searchKeyword(txtSearch->text());
    if (keyword.isEmpty()) {
        const QPointer<frmMain> guard(this);
        m_services.messageBoxes->inform(this, QStringLiteral("提示"),
                                        QStringLiteral("请输入搜索关键字!"),
                                        MessageBoxes::Icon::Information);
        if (guard)
            txtSearch->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_navigatedFrom = txtSearch;
    NavigateTo(buildSearchUrl(gstrSearchURL, keyword));
}
