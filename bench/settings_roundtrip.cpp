// Saves and restores a dialog of 2,000 input widgets of every kind and a flagged 200 x 20 table
// through an INI file with GuiHelper, against hand-written code that writes and reads the same
// keys with bare QSettings calls in the same order and applies them to the same widgets.

#include <ZezuzuDOD/guihelper.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

class QHexEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QByteArray data READ data WRITE setData)
public:
    using QWidget::QWidget;
    QByteArray data() const { return m_data; }
    void setData(const QByteArray &data) { m_data = data; }

private:
    QByteArray m_data;
};

namespace {

constexpr int widgetCount = 2000;
constexpr int tableRows = 200;
constexpr int tableColumns = 20;
constexpr int rounds = 11;

template<class W>
struct Kind
{
    std::vector<W *> widgets;
    std::vector<QString> keys;
    void add(W *w, QString key)
    {
        w->setObjectName(key);
        widgets.push_back(w);
        keys.push_back(std::move(key));
    }
};

// The dialog, with typed lists of its widgets in the order in which GuiHelper finds them, so
// that the hand-written code touches the same keys in the same order.
struct Bench
{
    QDialog dialog;
    Kind<QLineEdit> lineEdits;
    Kind<QCheckBox> checkBoxes;
    Kind<QRadioButton> radios;
    Kind<QSpinBox> spins;
    Kind<QComboBox> combos;
    Kind<QHexEdit> hexEdits;
    Kind<QPlainTextEdit> texts;
    Kind<QGroupBox> groups;
    QTableWidget *table = nullptr;
    QString tableKey = QStringLiteral("tblBench");

    Bench()
    {
        auto *layout = new QVBoxLayout(&dialog);
        // Nine kinds, the combo box counted twice (with and without item data).
        for (int i = 0; i < widgetCount; ++i) {
            const QString key = QStringLiteral("w%1").arg(i);
            switch (i % 10) {
            case 0:
                lineEdits.add(new QLineEdit(&dialog), key);
                break;
            case 1: {
                auto *c = new QCheckBox(&dialog);
                c->setTristate(true);
                checkBoxes.add(c, key);
                break;
            }
            case 2: {
                auto *r = new QRadioButton(&dialog);
                r->setAutoExclusive(false);
                radios.add(r, key);
                break;
            }
            case 3:
                spins.add(new QSpinBox(&dialog), key);
                break;
            case 4:
            case 5: {
                auto *c = new QComboBox(&dialog);
                for (int k = 0; k < 8; ++k)
                    c->addItem(QString::number(k), i % 10 == 4 ? QVariant(k * 125) : QVariant());
                combos.add(c, key);
                break;
            }
            case 6:
                hexEdits.add(new QHexEdit(&dialog), key);
                break;
            case 7:
                texts.add(new QPlainTextEdit(&dialog), key);
                break;
            default: {
                auto *g = new QGroupBox(&dialog);
                g->setCheckable(true);
                groups.add(g, key);
                break;
            }
            }
        }
        table = new QTableWidget(tableRows, tableColumns, &dialog);
        table->setObjectName(tableKey);
        table->setProperty("SaveTable", true);
        for (int r = 0; r < tableRows; ++r) {
            table->setCellWidget(r, 0, new QLineEdit);
            for (int c = 1; c < tableColumns; ++c)
                table->setItem(r, c, new QTableWidgetItem);
        }
        layout->addWidget(table);
    }

    void fill(int n)
    {
        const QString tag = QString::number(n);
        for (QLineEdit *e : lineEdits.widgets)
            e->setText(QStringLiteral("text ") + tag);
        for (QCheckBox *c : checkBoxes.widgets)
            c->setCheckState(Qt::CheckState(n % 3));
        for (QRadioButton *r : radios.widgets)
            r->setChecked(n % 2);
        for (QSpinBox *s : spins.widgets)
            s->setValue(n);
        for (QComboBox *c : combos.widgets)
            c->setCurrentIndex(n % 8);
        for (QHexEdit *h : hexEdits.widgets)
            h->setData(QByteArray(16, char(n)));
        for (QPlainTextEdit *t : texts.widgets)
            t->setPlainText(QStringLiteral("line\nline ") + tag);
        for (QGroupBox *g : groups.widgets)
            g->setChecked(n % 2);
        for (int r = 0; r < tableRows; ++r) {
            qobject_cast<QLineEdit *>(table->cellWidget(r, 0))->setText(tag);
            for (int c = 1; c < tableColumns; ++c)
                table->item(r, c)->setText(tag);
        }
    }

    void saveByHand(const QString &ini)
    {
        QSettings s(ini, QSettings::IniFormat);
        s.beginGroup(QStringLiteral("Bench"));
        for (size_t i = 0; i < lineEdits.widgets.size(); ++i)
            s.setValue(lineEdits.keys[i], lineEdits.widgets[i]->text());
        for (size_t i = 0; i < checkBoxes.widgets.size(); ++i)
            s.setValue(checkBoxes.keys[i], int(checkBoxes.widgets[i]->checkState()));
        for (size_t i = 0; i < radios.widgets.size(); ++i)
            s.setValue(radios.keys[i], radios.widgets[i]->isChecked());
        for (size_t i = 0; i < spins.widgets.size(); ++i)
            s.setValue(spins.keys[i], spins.widgets[i]->value());
        for (size_t i = 0; i < combos.widgets.size(); ++i) {
            const QVariant data = combos.widgets[i]->currentData();
            if (data.isValid())
                s.setValue(combos.keys[i] + QLatin1String("_data"), data);
            else
                s.setValue(combos.keys[i], combos.widgets[i]->currentText());
        }
        for (size_t i = 0; i < hexEdits.widgets.size(); ++i)
            s.setValue(hexEdits.keys[i], hexEdits.widgets[i]->data());
        for (size_t i = 0; i < texts.widgets.size(); ++i)
            s.setValue(texts.keys[i], texts.widgets[i]->toPlainText());
        for (size_t i = 0; i < groups.widgets.size(); ++i)
            s.setValue(groups.keys[i], groups.widgets[i]->isChecked());
        s.beginGroup(tableKey);
        for (int r = 0; r < tableRows; ++r) {
            s.beginGroup(QString::number(r));
            for (int c = 0; c < tableColumns; ++c) {
                s.beginGroup(QString::number(c));
                if (c == 0) {
                    s.setValue(QStringLiteral("Type"), 1);
                    s.setValue(QStringLiteral("Value"),
                               qobject_cast<QLineEdit *>(table->cellWidget(r, c))->text());
                } else {
                    s.setValue(QStringLiteral("Type"), 0);
                    s.setValue(QStringLiteral("Value"), table->item(r, c)->text());
                }
                s.endGroup();
            }
            s.endGroup();
        }
        s.endGroup();
        s.sync();
        s.endGroup();
    }

    void restoreByHand(const QString &ini)
    {
        QSettings s(ini, QSettings::IniFormat);
        s.beginGroup(QStringLiteral("Bench"));
        for (size_t i = 0; i < lineEdits.widgets.size(); ++i) {
            QLineEdit *e = lineEdits.widgets[i];
            e->setText(s.value(lineEdits.keys[i], e->text()).toString());
        }
        for (size_t i = 0; i < checkBoxes.widgets.size(); ++i) {
            QCheckBox *c = checkBoxes.widgets[i];
            c->setCheckState(
                Qt::CheckState(s.value(checkBoxes.keys[i], int(c->checkState())).toUInt()));
        }
        for (size_t i = 0; i < radios.widgets.size(); ++i) {
            QRadioButton *r = radios.widgets[i];
            r->setChecked(s.value(radios.keys[i], r->isChecked()).toBool());
        }
        for (size_t i = 0; i < spins.widgets.size(); ++i) {
            QSpinBox *b = spins.widgets[i];
            b->setValue(s.value(spins.keys[i], b->value()).toInt());
        }
        for (size_t i = 0; i < combos.widgets.size(); ++i) {
            QComboBox *c = combos.widgets[i];
            const QVariant data = s.value(combos.keys[i] + QLatin1String("_data"));
            if (data.isValid())
                c->setCurrentIndex(c->findData(data));
            else
                c->setCurrentText(s.value(combos.keys[i], c->currentText()).toString());
        }
        for (size_t i = 0; i < hexEdits.widgets.size(); ++i) {
            QHexEdit *h = hexEdits.widgets[i];
            h->setData(s.value(hexEdits.keys[i], h->data()).toByteArray());
        }
        for (size_t i = 0; i < texts.widgets.size(); ++i) {
            QPlainTextEdit *t = texts.widgets[i];
            t->setPlainText(s.value(texts.keys[i], t->toPlainText()).toString());
        }
        for (size_t i = 0; i < groups.widgets.size(); ++i) {
            QGroupBox *g = groups.widgets[i];
            g->setChecked(s.value(groups.keys[i], g->isChecked()).toBool());
        }
        s.beginGroup(tableKey);
        for (int r = 0; r < tableRows; ++r) {
            s.beginGroup(QString::number(r));
            for (int c = 0; c < tableColumns; ++c) {
                s.beginGroup(QString::number(c));
                const QVariant type = s.value(QStringLiteral("Type"));
                if (c == 0 && type == QVariant(1))
                    qobject_cast<QLineEdit *>(table->cellWidget(r, c))
                        ->setText(s.value(QStringLiteral("Value")).toString());
                else if (c > 0 && type == QVariant(0))
                    table->item(r, c)->setText(s.value(QStringLiteral("Value")).toString());
                s.endGroup();
            }
            s.endGroup();
        }
        s.endGroup();
        s.endGroup();
    }

    QString fingerprint() const
    {
        QString f;
        for (QLineEdit *e : lineEdits.widgets)
            f += e->text();
        for (QComboBox *c : combos.widgets)
            f += c->currentText();
        for (int r = 0; r < tableRows; ++r)
            f += table->item(r, 1)->text();
        return f;
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString oursIni = dir.filePath(QStringLiteral("ours.ini"));
    const QString baseIni = dir.filePath(QStringLiteral("baseline.ini"));
    Bench bench;

    std::vector<qint64> ourSave, ourRestore, baseSave, baseRestore;
    QElapsedTimer timer;
    bool same = true;
    for (int round = 0; round < rounds; ++round) {
        bench.fill(round + 1);
        timer.start();
        GuiHelper::saveSettings(&bench.dialog, QStringLiteral("Bench"), oursIni);
        ourSave.push_back(timer.nsecsElapsed());
        const QString saved = bench.fingerprint();
        bench.fill(round + 2);
        timer.start();
        GuiHelper::restoreSettings(&bench.dialog, QStringLiteral("Bench"), oursIni);
        ourRestore.push_back(timer.nsecsElapsed());
        same = same && bench.fingerprint() == saved;

        bench.fill(round + 1);
        timer.start();
        bench.saveByHand(baseIni);
        baseSave.push_back(timer.nsecsElapsed());
        bench.fill(round + 2);
        timer.start();
        bench.restoreByHand(baseIni);
        baseRestore.push_back(timer.nsecsElapsed());
        same = same && bench.fingerprint() == saved;
    }

    const auto median = [](std::vector<qint64> v) {
        std::sort(v.begin(), v.end());
        return double(v[v.size() / 2]) / 1e6;
    };
    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    out << "settings_roundtrip: " << widgetCount << " widgets + " << tableRows << "x"
        << tableColumns << " table, INI file, median of " << rounds << " rounds"
        << (same ? "" : " (RESULTS DIFFER)") << '\n';
    const double os = median(ourSave), orr = median(ourRestore);
    const double bs = median(baseSave), br = median(baseRestore);
    out << "  save:    ours " << os << " ms, baseline " << bs
        << " ms, ratio = ours / baseline = " << os / bs << '\n';
    out << "  restore: ours " << orr << " ms, baseline " << br
        << " ms, ratio = ours / baseline = " << orr / br << '\n';
    out << "  save + restore: ours " << os + orr << " ms, baseline " << bs + br
        << " ms, ratio = ours / baseline = " << (os + orr) / (bs + br) << '\n';
    out.flush();
    return same ? 0 : 1;
}

#include "settings_roundtrip.moc"
