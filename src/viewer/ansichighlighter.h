#pragma once

#include "zezuzudod_export.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

/** Colours C sources and headers: a fixed set of C and C++ keywords dark blue and bold, class
 *  names that begin with Q dark magenta and bold, "//" comments, quoted text, names of called
 *  functions, preprocessor words, and C comments, which may span several lines.
 *
 *  Where matches meet, the later of these wins on the characters they share: quoted text and a
 *  function name inside a "//" comment keep their own colours, a keyword inside quotes turns
 *  green, and everything inside a multi-line comment is comment-coloured. Quoted text runs from
 *  the first double quote of a line to the last one. A block that ends inside a multi-line
 *  comment gets the block state 1, every other block 0.
 *
 *  The highlighter belongs to the document it is created on. */
class ZEZUZUDOD_EXPORT AnsiCHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    /** Colours \a parent, which owns the highlighter. */
    explicit AnsiCHighlighter(QTextDocument *parent);
    ~AnsiCHighlighter() override;

protected:
    /** \reimp */
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_keywordFormat;
    QTextCharFormat m_classFormat;
    QTextCharFormat m_singleLineCommentFormat;
    QTextCharFormat m_multiLineCommentFormat;
    QTextCharFormat m_quotationFormat;
    QTextCharFormat m_functionFormat;
    QTextCharFormat m_preprocessorFormat;
};
