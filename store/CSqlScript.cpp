#include "CSqlScript.h"

namespace
{
// Index just past the comment that starts at `i`, or `i` when none does.
qsizetype SkipComment(const QString& script, qsizetype i)
{
    if (script.mid(i, 2) == u"--") {
        const qsizetype end = script.indexOf(u'\n', i);
        return end < 0 ? script.size() : end + 1;
    }
    if (script.mid(i, 2) == u"/*") {
        const qsizetype end = script.indexOf(u"*/", i + 2);
        return end < 0 ? script.size() : end + 2;
    }
    return i;
}

// Index just past the quoted text that starts at `i` ('...', "..." or
// [...]); a doubled quote inside stays part of it.
qsizetype SkipQuoted(const QString& script, qsizetype i)
{
    const QChar open = script.at(i);
    const QChar close = open == u'[' ? QChar(u']') : open;
    qsizetype j = i + 1;
    while (j < script.size()) {
        if (script.at(j) == close) {
            if (close != u']' && j + 1 < script.size() && script.at(j + 1) == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return script.size();
}

void AppendStatement(QStringList& statements, const QString& text)
{
    const QString statement = text.trimmed();
    if (!statement.isEmpty())
        statements << statement;
}
}

QStringList CSqlScript::Statements(const QString& script)
{
    QStringList statements;
    QString current;
    qsizetype i = 0;
    while (i < script.size()) {
        const qsizetype afterComment = SkipComment(script, i);
        if (afterComment != i) {
            current += u' ';
            i = afterComment;
            continue;
        }
        const QChar c = script.at(i);
        if (c == u'\'' || c == u'"' || c == u'[') {
            const qsizetype end = SkipQuoted(script, i);
            current += script.mid(i, end - i);
            i = end;
            continue;
        }
        if (c == u';') {
            AppendStatement(statements, current);
            current.clear();
        } else {
            current += c;
        }
        ++i;
    }
    AppendStatement(statements, current);
    return statements;
}
