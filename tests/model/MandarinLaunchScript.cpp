#include "MandarinLaunchScript.h"

namespace lumetra::testing {

const QStringList &mandarinLaunchSentences()
{
    static const QStringList sentences = {
        QStringLiteral("各位來賓早安，歡迎參加今天的發表會。"),
        QStringLiteral("這個新產品是我們團隊一年的心血。"),
        QStringLiteral("我們每週都和顧客見面聽取意見。"),
        QStringLiteral("他們說寫講稿的時候最需要幫忙。"),
        QStringLiteral("所以我們做了一台會聽話的提詞機。"),
        QStringLiteral("它能認出講者說到哪一個句子。"),
        QStringLiteral("畫面會跟著聲音自動往下捲動。"),
        QStringLiteral("試用的老師說準備時間少了一半。"),
        QStringLiteral("下個月開放給所有人免費下載。"),
        QStringLiteral("請到網站登記參與測試計畫。"),
        QStringLiteral("也歡迎告訴我們你的想法與建議。"),
        QStringLiteral("謝謝大家今天來到現場。"),
    };
    return sentences;
}

const QStringList &mandarinLaunchReadings()
{
    static const QStringList readings = {
        QStringLiteral("各位来宾早安，欢迎参加今天的发表会。"),
        QStringLiteral("这个新产品是我们团队一年的心血。"),
        QStringLiteral("我们每周都和顾客见面听取意见。"),
        QStringLiteral("他们说写讲稿的时候最需要帮忙。"),
        QStringLiteral("所以我们做了一台会听话的提词机。"),
        QStringLiteral("它能认出讲者说到哪一个句子。"),
        QStringLiteral("画面会跟着声音自动往下卷动。"),
        QStringLiteral("试用的老师说准备时间少了一半。"),
        QStringLiteral("下个月开放给所有人免费下载。"),
        QStringLiteral("请到网站登记参与测试计划。"),
        QStringLiteral("也欢迎告诉我们你的想法与建议。"),
        QStringLiteral("谢谢大家今天来到现场。"),
    };
    return readings;
}

QString mandarinUnscriptedReading()
{
    return QStringLiteral("其实我昨天晚上几乎没有睡觉。");
}

const QStringList &mandarinDictionaryWords()
{
    static const QStringList words = { "各位", "来宾", "早安", "欢迎", "参加", "今天", "发表", "发表会", "这个", "产品",
        "我们", "团队", "一年", "心血", "每周", "顾客", "见面", "听取", "意见", "他们", "讲稿", "时候", "需要", "帮忙",
        "所以", "听话", "提词机", "认出", "讲者", "一个", "句子", "画面", "跟着", "声音", "自动", "往下", "卷动",
        "试用", "老师", "准备", "时间", "一半", "下个月", "开放", "所有人", "免费", "下载", "网站", "登记", "参与",
        "测试", "计划", "告诉", "想法", "建议", "谢谢", "大家", "来到", "现场", "其实", "昨天", "晚上", "几乎", "没有",
        "睡觉", "天气", "学校", "电脑" };
    return words;
}

} // namespace lumetra::testing
