#pragma once

#include "zezuzudod_export.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

/** Colours CAN database files: quoted text dark green, the keywords that begin the database's
 *  lines ("BO_", "SG_", "BA_DEF_" and the like) dark blue, the J1939 words "SPN", "J1939PG" and
 *  "PGN" dark red and bold, and lines that begin with "#" dark yellow as a whole.
 *
 *  Quoted text comes first, so a keyword inside quotes keeps its keyword colour. Quoted text
 *  runs from the first double quote of a line to the last one. Words are matched whole and with
 *  case. The block state is not used.
 *
 *  The highlighter belongs to the document it is created on. */
class ZEZUZUDOD_EXPORT DBCHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    /** Colours \a parent, which owns the highlighter. */
    explicit DBCHighlighter(QTextDocument *parent);
    ~DBCHighlighter() override;

protected:
    /** \reimp */
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_keywordFormat;
    QTextCharFormat m_j1939Format;
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_quotationFormat;
};
