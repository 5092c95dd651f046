#include "SampleScript.h"

namespace lumetra::SampleScript {

const QString &text()
{
    // clang-format off
    static const QString sample = QString::fromUtf8(
        "# 開場\n"
        "\n"
        "今天這支影片，我想跟你聊一個很多人做 AI 工具時會忽略的問題：不是工具不夠強，而是你的工作流還沒有被重新設計。"
        "很多人只是把舊的步驟原封不動搬進新工具裡。\n"
        "\n"
        "所以今天我們先不談功能，而是從每天真正在做的事情開始看。\n"
        "\n"
        "# 核心觀念\n"
        "\n"
        "第一個觀念是先拆解流程。"
        "把一件工作寫成一步一步的清單，你會發現有些步驟其實可以整個拿掉。\n"
        "\n"
        "第二個觀念是讓工具配合人。"
        "先想清楚哪裡最花時間，再決定要把哪一段交給工具處理。\n"
        "\n"
        "# 收尾\n"
        "\n"
        "如果你今天只記得一件事，請記得先重新設計流程，再挑選工具。"
        "謝謝你看到這裡，也歡迎留言分享你用 AI 的做法。"
        "我們就在下一支影片裡見面。\n");
    // clang-format on
    return sample;
}

} // namespace lumetra::SampleScript
