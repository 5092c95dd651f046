#include "TalkScript.h"

#include <QSet>
#include <QStringList>

#include <random>

namespace lumetra::bench {
namespace {

// The stock of a talk about work and tools: words recur across sentences, and so do the
// function words and openings that make unrelated sentences look alike character by character.
QStringList words(const char *spaceSeparated)
{
    return QString::fromUtf8(spaceSeparated).split(u' ', Qt::SkipEmptyParts);
}

const QStringList openings
    = words("所以 接著 其實 然後 另外 最後 首先 第一步是 第二步是 第三步是 很多時候 你會發現 如果 因為 但是 換句話說 "
            "舉例來說 這時候 說真的 老實說 再來 同樣地 反過來說 講到這裡");
const QStringList subjects
    = words("我們 你 團隊 每個人 主管 新同事 客戶 大家 我自己 設計師 工程師 老闆 業務 使用者 這個流程 這套系統 "
            "我的朋友 很多公司 小團隊 新手");
const QStringList adverbs = words("常常 一定 其實 慢慢 馬上 真的 通常 已經 還是 比較 先 再 都 也 就");
const QStringList verbs
    = words("整理 檢查 記錄 討論 調整 簡化 拆開 合併 寫下 分享 測試 重新想過 回頭看看 改善 規劃 追蹤 比較 選擇 "
            "處理 解決 安排 準備 說明 確認 更新 學會 避開 建立 移除 保留 統計 觀察 設定 交給 寄出 收集 分類 排序 "
            "上傳 歸檔");
const QStringList adjectives
    = words("重要 簡單 麻煩 清楚 混亂 重複 零散 關鍵 基本 複雜 穩定 快速 便宜 昂貴 常見 少見 舊 新 長期 短期 "
            "公開 內部 共用 個人 每週 每月 臨時 正式 手動 自動");
const QStringList nouns
    = words("工作流程 任務 會議紀錄 專案進度 客戶需求 資料表 提示詞 報告 時間表 步驟 溝通方式 產品設計 檔案 "
            "交接文件 預算 行事曆 待辦清單 郵件 訊息 表單 簡報 影片 腳本 字幕 素材 帳號 密碼 權限 版本 備份 "
            "資料夾 範本 清單 問題 答案 想法 目標 成果 數字 圖表 回饋 意見 評論 規則 習慣 節奏 工具 系統 平台 "
            "網站 程式 外掛 設定檔 筆記 草稿 截圖 錄音 照片 合約 發票 收據 訂單 庫存 貨運 課程 作業 考試 名單 "
            "聯絡人 供應商 廣告 預約 排程 紀錄 標籤 分類");
const QStringList endings = words("。 。 。 。 ？ ！");

class SentenceMaker {
public:
    explicit SentenceMaker(std::uint32_t seed)
        : m_random(seed)
    {
    }

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    const QString &pick(const QStringList &list) { return list.at(below(static_cast<int>(list.size()))); }

    // Four to eleven readable characters, as a presenter writes a quick question or an aside.
    QString shortSentence()
    {
        QString text = shortSentenceOfAnyLength();
        while (text.size() - 1 < 4 || text.size() - 1 > 11) // the ending is one mark
            text = shortSentenceOfAnyLength();
        return text;
    }

private:
    QString shortSentenceOfAnyLength()
    {
        switch (below(6)) {
        case 0:
            return pick(subjects) + pick(verbs) + QStringLiteral("了") + pick(endings);
        case 1:
            return QStringLiteral("什麼叫做") + pick(verbs) + QStringLiteral("完了？");
        case 2:
            return pick(adverbs) + pick(adjectives) + QStringLiteral("嗎？");
        case 3:
            return QStringLiteral("第%1次比較%2。")
                .arg(QStringLiteral("一二三四五").at(below(5)))
                .arg(pick(adjectives));
        case 4:
            return QStringLiteral("這就是") + pick(nouns) + pick(endings);
        default:
            return pick(nouns) + QStringLiteral("呢？");
        }
    }

public:
    QString sentence()
    {
        QString text = below(10) < 4 ? pick(openings) : QString();
        text += clause();
        if (below(10) < 6)
            text += QStringLiteral("，") + clause();
        return text + pick(endings);
    }

private:
    QString clause()
    {
        QString text = below(10) < 7 ? pick(subjects) : QString();
        if (below(2) == 0)
            text += pick(adverbs);
        text += below(10) < 2 ? QStringLiteral("把") + phrase() + pick(verbs) + QStringLiteral("好")
                              : pick(verbs) + phrase();
        return text;
    }

    QString phrase()
    {
        const int kind = below(10);
        if (kind < 3)
            return pick(adjectives) + QStringLiteral("的") + pick(nouns);
        if (kind < 5)
            return pick(nouns) + QStringLiteral("和") + pick(nouns);
        if (kind < 6)
            return QStringLiteral("這個") + pick(nouns);
        return pick(nouns);
    }

    std::mt19937 m_random;
};

// Whether six characters in a row of the sentence occur in the script: an aside said in the
// script's own words, but not one of its clauses.
bool sharesAPhrase(const QString &sentence, const QString &script)
{
    constexpr qsizetype phrase = 6;
    for (qsizetype start = 0; start + phrase <= sentence.size(); ++start) {
        if (script.contains(QStringView(sentence).sliced(start, phrase)))
            return true;
    }
    return false;
}

} // namespace

QString talkScript(int sentences, std::uint32_t seed, double shortShare)
{
    SentenceMaker make(seed);
    QSet<QString> used;
    QString text;
    int written = 0;
    int section = 0;
    while (written < sentences) {
        text += QStringLiteral("# 第%1部分\n\n").arg(++section);
        const int paragraphs = 3 + make.below(3);
        for (int paragraph = 0; paragraph < paragraphs && written < sentences; ++paragraph) {
            const int lines = 2 + make.below(4);
            for (int line = 0; line < lines && written < sentences; ++line) {
                const bool isShort = make.below(1000) < shortShare * 1000;
                const auto next = [&] { return isShort ? make.shortSentence() : make.sentence(); };
                QString sentence = next();
                while (used.contains(sentence))
                    sentence = next();
                used.insert(sentence);
                text += sentence;
                ++written;
            }
            text += QStringLiteral("\n\n");
        }
    }
    return text;
}

QString unscriptedSentence(const QString &script, std::uint32_t seed)
{
    SentenceMaker make(seed ^ 0x9e3779b9u);
    QString sentence = make.sentence();
    while (sharesAPhrase(sentence, script))
        sentence = make.sentence();
    return sentence;
}

} // namespace lumetra::bench
