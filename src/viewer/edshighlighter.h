#pragma once

#include "zezuzudod_export.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

/** Colours CANopen electronic data sheets and device configuration files (INI-style text): the
 *  keys of an object description dark blue, the configured keys "Denotation" and
 *  "ParameterValue" dark red and bold, comments from ";" to the end of the line, quoted text,
 *  and section headers red.
 *
 *  Where matches meet, the later of these wins: a section header inside a comment line is still
 *  red. Quoted text runs from the first double quote of a line to the last one, a section
 *  header from the first "[" to the last "]". Keys are matched as whole words with case. The
 *  block state is not used.
 *
 *  The highlighter belongs to the document it is created on. */
class ZEZUZUDOD_EXPORT EdsHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    /** Colours \a parent, which owns the highlighter. */
    explicit EdsHighlighter(QTextDocument *parent);
    ~EdsHighlighter() override;

protected:
    /** \reimp */
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_keyFormat;
    QTextCharFormat m_valueKeyFormat;
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_quotationFormat;
    QTextCharFormat m_sectionFormat;
};
