#include "WorkflowTalk.h"

namespace lumetra::testing {

const QStringList &workflowTalk()
{
    static const QStringList sentences = {
        QStringLiteral("今天想跟大家聊聊怎麼把工作流程整理清楚。"),
        QStringLiteral("很多人一開始就急著找新的工具來解決問題。"),
        QStringLiteral("第三次比較有趣。"),
        QStringLiteral("可是工具再多，如果流程本身沒有想清楚，還是會很亂。"),
        QStringLiteral("所以第一步是先把每天重複在做的事情寫下來。"),
        QStringLiteral("接著看看哪些步驟可以合併，哪些可以直接拿掉。"),
        QStringLiteral("第二步是替每個步驟找一個明確的負責人。"),
        QStringLiteral("什麼叫做做完了？"),
        QStringLiteral("最後再決定要用什麼工具把這些步驟串起來。"),
        QStringLiteral("第三步是定期回頭檢查，看看流程還順不順。"),
        QStringLiteral("這樣做下來，你會發現真正需要的工具其實不多。"),
        QStringLiteral("最後記得把每天重複在做的事情寫下來，我們下次再見。"),
    };
    return sentences;
}

} // namespace lumetra::testing
