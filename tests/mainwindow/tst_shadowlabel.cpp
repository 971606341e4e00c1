// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/uDesign.h"
#include "mainwindow/uShadowLabel.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QImage>
#include <QTest>

namespace {

const QColor ShadowColor(0, 0, 0, 90);
const QPoint ShadowOffset(3, 3);

// A head panel as the main window has one, holding `label`; what it shows,
// at the density of the screen (ctest runs the cases at 1 and at 2).
QImage PanelWith(QLabel *label, const QString &text, Qt::Alignment alignment)
{
    QWidget panel;
    panel.setObjectName(QStringLiteral("PanelHead"));
    panel.setAttribute(Qt::WA_StyledBackground);
    panel.setAutoFillBackground(true);
    panel.setFixedSize(320, 49);
    auto *layout = new QHBoxLayout(&panel);
    layout->setContentsMargins(8, 0, 12, 0);
    label->setParent(&panel);
    label->setObjectName(QStringLiteral("LabelHead"));
    label->setMinimumWidth(183);
    label->setAlignment(alignment);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(27);
    font.setItalic(true);
    label->setFont(font);
    label->setText(text);
    layout->addStretch(1);
    layout->addWidget(label);
    panel.show();
    const qreal ratio = panel.devicePixelRatio();
    QImage image(panel.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    panel.render(&image);
    return image;
}

QLabel *EffectLabel()
{
    auto *label = new QLabel;
    auto *shadow = new QGraphicsDropShadowEffect(label);
    shadow->setOffset(ShadowOffset);
    shadow->setBlurRadius(0);
    shadow->setColor(ShadowColor);
    label->setGraphicsEffect(shadow);
    return label;
}

}  // namespace

class TestShadowLabel : public QObject {
    Q_OBJECT
private slots:
    void looksAsTheDropShadowEffect_data();
    void looksAsTheDropShadowEffect();
};

void TestShadowLabel::looksAsTheDropShadowEffect_data()
{
    QTest::addColumn<int>("design");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    for (int design = 0; design < DesignNames().size(); ++design)
        QTest::addRow("%s", qPrintable(DesignNames().at(design))) << design << QStringLiteral("Quintor  ") << right;
    QTest::newRow("left, caption text") << 0 << QStringLiteral("  Hauptmenü") << int(Qt::AlignLeft | Qt::AlignVCenter);
}

void TestShadowLabel::looksAsTheDropShadowEffect()
{
    QFETCH(int, design);
    QFETCH(QString, text);
    QFETCH(int, alignment);
    ApplyProgramDesign(design);
    const QImage painted = PanelWith(new TShadowLabel(ShadowOffset, ShadowColor), text, Qt::Alignment(alignment));
    const QImage effect = PanelWith(EffectLabel(), text, Qt::Alignment(alignment));
    const QImage plain = PanelWith(new QLabel, text, Qt::Alignment(alignment));
    // The shadow shows: the panel differs from one with the bare text.
    QVERIFY(effect != plain);
    QCOMPARE(painted, effect);
}

QTEST_MAIN(TestShadowLabel)
#include "tst_shadowlabel.moc"
