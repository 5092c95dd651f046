#include "ParserSelfTest.h"

#include "ClickReportingTextView.h"
#include "ScriptParser.h"

#include <QKeyEvent>

#include <cstdio>

namespace lumetra::ParserSelfTest {

namespace {

struct ArrowMotion {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int start;
    int expectedLocation;
    int expectedLength;
};

bool parserChecksPass()
{
    const ScriptDocument document
        = ScriptParser::parse(u"# 開場\n\n第一段第一句。\n第一段第二句。\n\n第二段。\n\n# 結尾\n\n第三段。");
    const auto &sections = document.sections;
    const auto paragraphs = document.paragraphs();
    const auto chunk = [&](std::size_t index) -> const ScriptParagraph * {
        if (sections.empty() || index >= sections[0].paragraphs.size())
            return nullptr;
        return &sections[0].paragraphs[index];
    };
    const ScriptParagraph *first = chunk(0);
    const ScriptParagraph *second = chunk(1);
    const ScriptParagraph *third = chunk(2);

    // Every check runs, also after one has failed.
    bool passed = true;
    const auto check = [&passed](bool holds) { passed = passed && holds; };
    check(sections.size() == 2);
    check(!sections.empty() && sections[0].title == u"開場");
    check(!sections.empty() && sections[0].paragraphs.size() == 3);
    check(first && first->text == u"第一段第一句。");
    check(second && second->text == u"第一段第二句。");
    check(first && first->globalReadableStart == 0);
    check(first && second && second->globalReadableStart == ScriptParser::readableLength(first->text));
    check(sections.size() > 1 && sections[1].title == u"結尾");
    check(paragraphs.size() == 4);
    check(paragraphs.size() > 3 && paragraphs[3].sectionTitle == u"結尾");
    check(first && first->sourceOffset == 6);
    check(second && second->sourceOffset == 14);
    check(third && third->sourceOffset == 23);
    return passed;
}

} // namespace

bool isRequested(const QStringList &arguments)
{
    return arguments.indexOf(QStringLiteral("--self-test"), 1) >= 0;
}

bool textEditorArrowShortcutsWork()
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers command = Qt::ControlModifier;
    const Qt::KeyboardModifiers shiftCommand = Qt::ShiftModifier | Qt::ControlModifier;
    const ArrowMotion motions[] = {
        { Qt::Key_Left, none, 2, 1, 0 },
        { Qt::Key_Right, none, 1, 2, 0 },
        { Qt::Key_Left, shift, 2, 1, 1 },
        { Qt::Key_Right, shift, 1, 1, 1 },
        { Qt::Key_Left, command, 2, 0, 0 },
        { Qt::Key_Right, command, 1, 3, 0 },
        { Qt::Key_Up, command, 5, 0, 0 },
        { Qt::Key_Down, command, 2, 7, 0 },
        { Qt::Key_Left, shiftCommand, 2, 0, 2 },
        { Qt::Key_Right, shiftCommand, 1, 1, 2 },
        { Qt::Key_Up, shiftCommand, 5, 0, 5 },
        { Qt::Key_Down, shiftCommand, 2, 2, 5 },
    };

    ClickReportingTextView view;
    view.setPlainText(QStringLiteral("abc\ndef"));
    for (const ArrowMotion &motion : motions) {
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(motion.start);
        view.setTextCursor(cursor);
        QKeyEvent event(QEvent::KeyPress, motion.key, motion.modifiers);
        if (!view.performKeyEquivalent(event))
            return false;
        const QTextCursor result = view.textCursor();
        if (result.selectionStart() != motion.expectedLocation
            || result.selectionEnd() - result.selectionStart() != motion.expectedLength)
            return false;
    }
    return true;
}

int run()
{
    const bool parserPassed = parserChecksPass();
    const bool editorPassed = textEditorArrowShortcutsWork();
    const bool passed = parserPassed && editorPassed;
    std::fputs(passed ? "Parser self-test passed\n" : "Parser self-test failed\n", stdout);
    std::fflush(stdout);
    return passed ? 0 : 1;
}

} // namespace lumetra::ParserSelfTest
