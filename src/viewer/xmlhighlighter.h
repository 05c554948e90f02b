#pragma once

#include "zezuzudod_export.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

/** Colours XML: element names in start and end tags with their brackets dark blue, attribute
 *  names dark red, each quoted attribute value on its own dark green, comments dark yellow and
 *  entity references such as "&amp;" dark magenta. Text between elements stays uncoloured.
 *  Processing instructions and document type declarations are coloured like tags; the markers
 *  of a CDATA section are dark blue and its content stays uncoloured.
 *
 *  Comments, CDATA sections, tags and attribute values may span several lines. The block state
 *  tells where a block ends: 0 between elements, 1 inside a comment, 2 inside a CDATA section,
 *  3 inside a tag, 4 and 5 inside an attribute value in double and single quotes.
 *
 *  The highlighter belongs to the document it is created on. */
class ZEZUZUDOD_EXPORT XMLHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    /** Colours \a parent, which owns the highlighter. */
    explicit XMLHighlighter(QTextDocument *parent);
    ~XMLHighlighter() override;

protected:
    /** \reimp */
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat m_tagFormat;
    QTextCharFormat m_attributeFormat;
    QTextCharFormat m_quotationFormat;
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_entityFormat;
};
