#include "ui/widgets/MessageBox.h"

#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

bool endsPhrase(QChar c)
{
    return c == u'、' || c == u'。' || c == u'！' || c == u'？' || c == u'，' || c == u'．';
}

bool closesBracket(QChar c)
{
    return c == u'」' || c == u'』' || c == u'）' || c == u')' || c == u'】';
}

QStringList phrases(const QString& paragraph)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        current += paragraph[i];
        if (!endsPhrase(paragraph[i]))
            continue;
        // A bracket that closes right after the mark stays with its phrase.
        while (i + 1 < paragraph.size() && closesBracket(paragraph[i + 1]))
            current += paragraph[++i];
        out << current;
        current.clear();
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

} // namespace

QString breakAtPhrases(const QString& text, int maxChars)
{
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& phrase : phrases(paragraph)) {
            if (!line.isEmpty() && line.size() + phrase.size() > maxChars) {
                lines << line;
                line.clear();
            }
            line += phrase;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QApplication::applicationName(), breakAtPhrases(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    // The box sizes itself to its label's minimum width; with the longest
    // line as that minimum, no line is wrapped again.
    if (auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s)) {
        int widest = 0;
        for (const QString& line : label->text().split(u'\n'))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(widest + 4);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace widgets
