#include "EnglishLaunchScript.h"

namespace lumetra::testing {

const QStringList &englishLaunchSentences()
{
    static const QStringList sentences = {
        QStringLiteral("Good morning and welcome to our meeting."),
        QStringLiteral("Today we will talk about the new product."),
        QStringLiteral("Our team worked very hard this year."),
        QStringLiteral("We listened to our customers every week."),
        QStringLiteral("They asked for a simpler way to plan."),
        QStringLiteral("So we built a calendar that plans itself."),
        QStringLiteral("It learns when you like to work."),
        QStringLiteral("Early users saved two hours every week."),
        QStringLiteral("Next month we open the beta to everyone."),
        QStringLiteral("Please sign up on our website to join."),
        QStringLiteral("We would love to hear what you think."),
        QStringLiteral("Thank you all for coming here today."),
    };
    return sentences;
}

QString scriptOfSentences(const QStringList &sentences)
{
    return QStringLiteral("# Launch\n\n") + sentences.join(QStringLiteral("\n\n"));
}

} // namespace lumetra::testing
