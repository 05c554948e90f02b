#pragma once

#include "zezuzudod_export.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

/** Colours IEC 61131-3 variable declaration text: "VAR_EXTERNAL" and "END_VAR" black and bold,
 *  the elementary data type names ("BYTE", "INT", "REAL", "STRING" and the like) dark red and
 *  bold, and comments between "(*" and "*)", which may span several lines, dark yellow.
 *
 *  Words are matched whole and in upper case only; a comment wins over a word inside it. A block
 *  that ends inside a comment gets the block state 1, every other block 0.
 *
 *  The highlighter belongs to the document it is created on. */
class ZEZUZUDOD_EXPORT PlcHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    /** Colours \a parent, which owns the highlighter. */
    explicit PlcHighlighter(QTextDocument *parent);
    ~PlcHighlighter() override;

protected:
    /** \reimp */
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_declarationFormat;
    QTextCharFormat m_dataTypeFormat;
    QTextCharFormat m_multiLineCommentFormat;
};
