// SPDX-FileCopyrightText: 2026 Quintor-Entwickler
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "gamewindow/uScoreBoard.h"

#include "play/uTTurnEngine.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

const QColor TScoreBoard::Silver(192, 192, 192);
const QColor TScoreBoard::LightYellow(255, 255, 128);
const QColor TScoreBoard::Orange(255, 128, 0);

namespace {
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);
const QColor ButtonFace(240, 240, 240);
constexpr int CaptionWidth = 100;
constexpr int PlayerPanelHeight = 60;
constexpr int PlayerPanelWidth = 150;
constexpr int StripHeight = 20;
constexpr int MarkerLeft = 2;   // the marker pictures of a player's top strip
constexpr int MarkerSide = 16;
const char *const FieldPrefix = "DynScoreSubPanelField";
const char *const SumMarker = "Summary";

QFrame *MakePanel(QWidget *parent, const QString &name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

QFrame *MakeLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QFont PointFont(QWidget *widget, int points, bool bold, bool italic = false)
{
    QFont font = widget->font();
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
}  // namespace

TScoreBoard::TScoreBoard(const TTurnEngine &engine, QWidget *info, QWidget *scores, QWidget *window,
                         QObject *parent)
    : QObject(parent)
    , m_Engine(engine)
    , m_Info(info)
    , m_Scores(scores)
    , m_Window(window)
    , m_TimerBlink(new QTimer(this))
    , m_CurrentPlayerPicture(QStringLiteral(":/images/current_player.png"))
    , m_QuestionPicture(QStringLiteral(":/images/question.png"))
{
    m_TimerBlink->setObjectName(QStringLiteral("TimerBlink"));
    m_TimerBlink->setInterval(330);
    connect(m_TimerBlink, &QTimer::timeout, this, &TScoreBoard::TimerBlinkTimer);
}

bool TScoreBoard::MultiColumn() const
{
    return m_Engine.ColumnsPerPlayer() > 1;
}

int TScoreBoard::ColumnCount() const
{
    return MultiColumn() ? m_Engine.ColumnsPerPlayer() : static_cast<int>(m_Engine.Players().size());
}

bool TScoreBoard::IsFieldRow(int row)
{
    return (row >= 1 && row <= 6) || (row >= 12 && row <= 18);
}

bool TScoreBoard::IsSumRow(int row)
{
    return row == 8 || row == 9 || row == 10 || row == 20 || row == 21 || row == 23;
}

bool TScoreBoard::IsLineRow(int row)
{
    return row == 7 || row == 11 || row == 19 || row == 22;
}

QLabel *TScoreBoard::Field(int column, int row) const
{
    if (column < 0 || column >= m_Fields.size() || row < 0 || row >= BoardRows)
        return nullptr;
    return m_Fields[column][row];
}

void TScoreBoard::BuildBoard()
{
    m_Info->resize(CaptionWidth, m_Info->height());
    for (int row = 0; row < BoardRows; ++row)
        BuildCaptionRow(row);
    for (int k = 0; k < ColumnCount(); ++k)
        BuildScoreColumn(k);
    if (MultiColumn()) {
        for (int i = 0; i < m_Engine.Players().size(); ++i)
            BuildPlayerPanel(i);
        m_InfoMarker = new QLabel(m_Window);
        m_InfoMarker->setObjectName(QStringLiteral("ImageInfo"));
        m_InfoMarker->setPixmap(QPixmap(QStringLiteral(":/images/info.png")));
        m_InfoMarker->setToolTip(QStringLiteral("Nur zur Info"));
        m_InfoMarker->hide();
    }
}

void TScoreBoard::BuildCaptionRow(int row)
{
    QFrame *panel = MakePanel(m_Info, QStringLiteral("DynPanel%1").arg(row));
    m_CaptionRows << panel;
    if (IsLineRow(row)) {
        MakeLine(panel)->setObjectName(QStringLiteral("line"));
        return;
    }
    auto *label = new QLabel(panel);
    label->setObjectName(QStringLiteral("DynLabel%1").arg(row));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const TTavolex caption;
    if (row == 9) {
        const TTavolexSettings &rules = m_Engine.Rules();
        label->setText(QStringLiteral(" %1 Bonus ab %2").arg(rules.RuleValue(9)).arg(rules.RuleValue(8)));
    } else if (row >= 1 && row <= 6) {
        label->setText(QStringLiteral(" "));
        const QPixmap thumb(QStringLiteral(":/images/thumb%1.png").arg(row));
        for (int i = 0; i < 5; ++i) {
            auto *picture = new QLabel(panel);
            picture->setObjectName(QStringLiteral("thumb"));
            picture->setPixmap(thumb);
            picture->setAlignment(Qt::AlignCenter);
        }
    } else if (row == 0) {
        label->setText(QStringLiteral(" "));
    } else {
        label->setText(QStringLiteral(" ") + caption.Rows(row).Caption);
    }
}

void TScoreBoard::BuildScoreColumn(int k)
{
    QFrame *column = MakePanel(m_Scores, QStringLiteral("DynScorePanel%1").arg(k));
    m_ScorePanels << column;
    QList<QFrame *> rows;
    QList<QLabel *> fields;
    for (int row = 0; row < BoardRows; ++row) {
        QFrame *sub = MakePanel(column, QStringLiteral("DynScoreSubPanel%1%2").arg(k).arg(row));
        rows << sub;
        QLabel *field = nullptr;
        if (row == 0) {
            auto *header = new QLabel(sub);
            header->setObjectName(QStringLiteral("DynLabelTop%1").arg(k));
            header->setAlignment(Qt::AlignCenter);
            header->setText(MultiColumn() ? QStringLiteral("Spalte %1").arg(k + 1) : m_Engine.Players()[k].Name());
            header->setTextFormat(Qt::PlainText);  // names are text, never markup
            header->setFont(PointFont(header, MultiColumn() ? 8 : 10, false));
            m_Headers << header;
            if (!MultiColumn())
                MakeGiveUpIcon(k, sub, 15);
        } else if (IsLineRow(row)) {
            MakeLine(sub);
        } else {
            field = new QLabel(sub);
            field->setObjectName(QStringLiteral("%1%2%3").arg(QLatin1String(FieldPrefix)).arg(k).arg(row));
            field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            field->setAlignment(Qt::AlignCenter);
            field->setAutoFillBackground(true);
            field->setFont(PointFont(field, 10, false));
            if (IsSumRow(row)) {
                field->setProperty("hint", QLatin1String(SumMarker));
                Paint(field, QStringLiteral("0"), ButtonFace, Black, true);
            } else {
                field->setCursor(Qt::PointingHandCursor);
                field->installEventFilter(this);
                Paint(field, QString(), White, Black, false);
            }
        }
        fields << field;
    }
    m_SubPanels << rows;
    m_Fields << fields;
}

QLabel *TScoreBoard::MakeGiveUpIcon(int player, QWidget *parent, int width)
{
    auto *icon = new QLabel(parent);
    icon->setObjectName(QStringLiteral("DynImageDelete%1").arg(player));
    icon->setPixmap(QPixmap(QStringLiteral(":/images/delete_enabled.png")).scaled(15, 15, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAlignment(Qt::AlignCenter);
    icon->setCursor(Qt::PointingHandCursor);
    // Hints show markup; a name is escaped and shown as the text it is.
    const QString hint = QStringLiteral("Will ") + m_Engine.Players()[player].Name() + QStringLiteral(" aufhören ?");
    icon->setToolTip(QStringLiteral("<p>") + hint.toHtmlEscaped() + QStringLiteral("</p>"));
    icon->setProperty("tag", player);
    icon->resize(width, 15);
    icon->installEventFilter(this);
    icon->setVisible(player == m_Engine.CurrentPlayer());
    if (m_GiveUpIcons.size() <= player)
        m_GiveUpIcons.resize(player + 1);
    m_GiveUpIcons[player] = icon;
    return icon;
}

void TScoreBoard::BuildPlayerPanel(int i)
{
    QFrame *panel = MakePanel(m_Window, QStringLiteral("PanelPlayer%1").arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setProperty("hint", i);
    panel->setCursor(Qt::PointingHandCursor);
    panel->installEventFilter(this);
    auto *top = new QLabel(panel);
    top->setObjectName(QStringLiteral("PanelPlayerT%1").arg(i));
    top->setText(QStringLiteral("  ") + m_Engine.Players()[i].Name());
    top->setTextFormat(Qt::PlainText);
    top->setFrameStyle(QFrame::Panel | QFrame::Raised);
    top->setAutoFillBackground(true);
    top->setProperty("hint", i);
    top->installEventFilter(this);
    QPalette palette = top->palette();
    palette.setColor(QPalette::Window, Silver);
    top->setPalette(palette);
    // Own sheets, so that every design keeps the panel readable.
    panel->setStyleSheet(QStringLiteral("QFrame#PanelPlayer%1 { background-color: rgb(240, 240, 240);"
                                        " border: 1px solid rgb(128, 128, 128); }").arg(i));
    auto *marker = new QLabel(top);
    marker->setObjectName(QStringLiteral("DynImage%1").arg(i));
    marker->installEventFilter(this);
    marker->setProperty("hint", i);
    auto *bottom = new QLabel(panel);
    bottom->setObjectName(QStringLiteral("PanelPlayerB%1").arg(i));
    bottom->setText(QStringLiteral("  0 Punkte"));
    bottom->setFont(PointFont(bottom, i == 0 ? 10 : 8, false));
    bottom->setStyleSheet(QStringLiteral("QLabel { background: transparent; color: black; }"));
    bottom->setProperty("hint", i);
    bottom->installEventFilter(this);
    m_PlayerPanels << panel;
    m_PlayerTops << top;
    StyleTopStrip(i, false);
    m_Markers << marker;
    m_PlayerBottoms << bottom;
    MakeGiveUpIcon(i, top, 30);
    panel->lower();
}

void TScoreBoard::Layout(int rowHeight, int columnWidth, int top)
{
    m_Top = top;
    for (int row = 0; row < m_CaptionRows.size(); ++row) {
        QFrame *panel = m_CaptionRows[row];
        panel->setGeometry(0, row * rowHeight, m_Info->width(), rowHeight);
        int x = 15;  // the caption label is a 15-pixel spacer before the thumbs
        for (QObject *child : panel->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (!widget)
                continue;
            if (widget->objectName() == QLatin1String("thumb")) {
                widget->setGeometry(x, 0, 14, rowHeight);
                x += 14;
            } else if (qobject_cast<QLabel *>(widget)) {
                const int width = row <= 6 ? 15 : panel->width();
                widget->setGeometry(0, 0, width, rowHeight);
            } else {
                widget->setGeometry(0, 0, panel->width(), rowHeight / 2);
            }
        }
    }
    int left = 0;
    for (int k = 0; k < m_ScorePanels.size(); ++k) {
        QFrame *column = m_ScorePanels[k];
        if (column->isHidden())
            continue;
        column->setGeometry(left, 0, columnWidth, BoardRows * rowHeight);
        left += columnWidth;
        for (int row = 0; row < BoardRows; ++row) {
            QFrame *sub = m_SubPanels[k][row];
            sub->setGeometry(0, row * rowHeight, columnWidth, rowHeight);
            if (QLabel *field = m_Fields[k][row]) {
                // The field overlaps its row's right and bottom edge by 2 pixels.
                field->setGeometry(2, 2, columnWidth, rowHeight);
            } else if (row == 0) {
                m_Headers[k]->setGeometry(0, 0, columnWidth, rowHeight);
            } else {
                for (QObject *child : sub->children())
                    if (auto *line = qobject_cast<QFrame *>(child))
                        line->setGeometry(0, 0, columnWidth, rowHeight / 2);
            }
        }
        if (!MultiColumn() && k < m_GiveUpIcons.size() && m_GiveUpIcons[k])
            m_GiveUpIcons[k]->move(columnWidth - m_GiveUpIcons[k]->width(), (rowHeight - 15) / 2);
    }
    PlaceFocusFrame();
    int slot = 0;
    for (int i = 0; i < m_PlayerPanels.size(); ++i) {
        QFrame *panel = m_PlayerPanels[i];
        if (panel->isHidden())
            continue;
        const int x = i == m_MarkedPlayer ? 10 : 60;
        panel->setGeometry(x, top + slot * PlayerPanelHeight, PlayerPanelWidth, PlayerPanelHeight);
        m_PlayerTops[i]->setGeometry(0, 0, PlayerPanelWidth, StripHeight);
        m_PlayerBottoms[i]->setGeometry(0, PlayerPanelHeight - StripHeight, PlayerPanelWidth, StripHeight);
        m_Markers[i]->setGeometry(MarkerLeft, 2, MarkerSide, MarkerSide);
        // The board covers the panel's right edge; the icon stays in the visible part.
        m_GiveUpIcons[i]->move(PlayerPanelWidth - m_GiveUpIcons[i]->width() - 12, 2);
        ++slot;
    }
}

void TScoreBoard::Paint(QLabel *field, const QString &text, const QColor &background,
                        const QColor &textColour, bool bold)
{
    field->setText(text);
    QPalette palette = field->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::WindowText, textColour);
    }
    field->setPalette(palette);
    // The designs style every label of the program; a field's own sheet keeps its colours.
    const QString sheet = QStringLiteral("QLabel { background-color: %1; color: %2; }")
                              .arg(background.name(), textColour.name());
    if (field->styleSheet() != sheet)
        field->setStyleSheet(sheet);
    QFont font = field->font();
    if (font.bold() != bold) {
        font.setBold(bold);
        field->setFont(font);
    }
}

void TScoreBoard::LoadField(int column, int row, int player, const QColor &background, bool enabled)
{
    QLabel *field = Field(column, row);
    if (!field)
        return;
    const TTavolex &col = m_Engine.PlayerColumn(player, column);
    if (col.IsOpen(row))
        Paint(field, QString(), background, Black, false);
    else
        Paint(field, QString::number(col.Rows(row).Value), background, Black, true);
    field->setEnabled(enabled);
}

void TScoreBoard::ClearShownValues()
{
    const int current = m_Engine.CurrentPlayer();
    if (MultiColumn()) {
        for (int k = 0; k < ColumnCount(); ++k)
            for (int row = 1; row < BoardRows; ++row)
                if (IsFieldRow(row))
                    LoadField(k, row, current, White, true);
        return;
    }
    for (int k = 0; k < ColumnCount(); ++k) {
        const TTavolex &col = m_Engine.PlayerColumn(k, k);
        for (int row = 1; row < BoardRows; ++row) {
            QLabel *field = Field(k, row);
            if (!field || !IsFieldRow(row) || !col.IsOpen(row))
                continue;
            const QColor background = k == current ? White : field->palette().color(QPalette::Window);
            Paint(field, QString(), background, Black, false);
        }
    }
}

void TScoreBoard::ShowMoveValues()
{
    const int current = m_Engine.CurrentPlayer();
    const bool hints = m_Engine.Rules().ShowHint();
    for (int k = 0; k < m_Engine.ColumnsPerPlayer(); ++k) {
        const int board = m_Engine.BoardColumn(current, k);
        const TTavolex &col = m_Engine.PlayerColumn(current, k);
        for (int row = 1; row < BoardRows; ++row) {
            QLabel *field = Field(board, row);
            if (!field || !IsFieldRow(row))
                continue;
            if (!col.IsOpen(row)) {
                Paint(field, QString::number(col.Rows(row).Value),
                      MultiColumn() ? field->palette().color(QPalette::Window) : White, Black, true);
            } else if (col.Rows(row).MoveValue != 0) {
                const QString text = QString::number(col.Rows(row).MoveValue);
                // Without hints the value is there, written in the field's own colour.
                if (hints)
                    Paint(field, text, LightYellow, Black, false);
                else
                    Paint(field, text, White, White, false);
            } else if (!MultiColumn()) {
                Paint(field, QString(), White, Black, false);
            }
        }
    }
}

void TScoreBoard::ShowFieldValue(int column, int row)
{
    QLabel *field = Field(column, row);
    if (!field)
        return;
    const TTavolex &col = m_Engine.PlayerColumn(m_Engine.CurrentPlayer(), MultiColumn() ? column : 0);
    Paint(field, QString::number(col.Rows(row).Value), field->palette().color(QPalette::Window), Black, true);
}

void TScoreBoard::MarkFieldPending(int column, int row)
{
    if (QLabel *field = Field(column, row))
        Paint(field, field->text(), Orange, Black, true);
}

void TScoreBoard::ReopenField(int column, int row)
{
    if (QLabel *field = Field(column, row))
        Paint(field, field->text(), White, Black, false);
}

void TScoreBoard::WriteSums(int column, int player, int k)
{
    const TTavolex &col = m_Engine.PlayerColumn(player, k);
    for (int row = 0; row < BoardRows; ++row)
        if (IsSumRow(row))
            if (QLabel *field = Field(column, row))
                field->setText(QString::number(col.Rows(row).Value));
}

void TScoreBoard::ShowSums(int player)
{
    if (!MultiColumn()) {
        WriteSums(player, player, 0);
        return;
    }
    if (player == m_ShownPlayer)
        for (int k = 0; k < m_Engine.ColumnsPerPlayer(); ++k)
            WriteSums(k, player, k);
    if (player < m_PlayerBottoms.size())
        m_PlayerBottoms[player]->setText(QStringLiteral("  %1 Punkte").arg(m_Engine.Players()[player].Points()));
}

void TScoreBoard::HighlightCurrentPlayer(int markedPlayer)
{
    m_MarkedPlayer = markedPlayer;
    if (!MultiColumn()) {
        for (int k = 0; k < ColumnCount(); ++k) {
            const bool current = k == markedPlayer;
            for (int row = 1; row < BoardRows; ++row)
                if (IsFieldRow(row))
                    if (QLabel *field = Field(k, row)) {
                        Paint(field, field->text(), current ? White : Silver, Black, field->font().bold());
                        field->setEnabled(current);
                    }
            m_Headers[k]->setFont(PointFont(m_Headers[k], 10, current));
        }
        return;
    }
    for (int i = 0; i < m_PlayerPanels.size(); ++i) {
        const bool current = i == markedPlayer;
        QFrame *panel = m_PlayerPanels[i];
        panel->move(current ? 10 : 60, panel->y());
        m_PlayerTops[i]->setFont(PointFont(m_PlayerTops[i], current ? 10 : 8, current, current));
        m_Markers[i]->setPixmap(current ? m_CurrentPlayerPicture : m_QuestionPicture);
        m_Markers[i]->setToolTip(current ? QStringLiteral("Aktueller Spieler")
                                         : QStringLiteral("Klicken Sie hier um\ndie Ergebnisse dieses Spielers zu sehen"));
    }
    m_Scores->setVisible(true);
}

void TScoreBoard::ShowGiveUpIcon()
{
    for (int i = 0; i < m_GiveUpIcons.size(); ++i)
        if (m_GiveUpIcons[i])
            m_GiveUpIcons[i]->setVisible(i == m_Engine.CurrentPlayer());
}

void TScoreBoard::RemovePlayer(int player)
{
    if (!MultiColumn()) {
        if (player < m_ScorePanels.size())
            m_ScorePanels[player]->hide();
        return;
    }
    if (player >= m_PlayerPanels.size())
        return;
    QFrame *gone = m_PlayerPanels[player];
    gone->hide();
    for (int i = player + 1; i < m_PlayerPanels.size(); ++i)
        m_PlayerPanels[i]->move(m_PlayerPanels[i]->x(), m_PlayerPanels[i]->y() - gone->height());
}

void TScoreBoard::ShowPlayerColumns(int player)
{
    m_ShownPlayer = player;
    const bool current = player == m_Engine.CurrentPlayer();
    for (int k = 0; k < m_Engine.ColumnsPerPlayer(); ++k)
        for (int row = 1; row < BoardRows; ++row)
            if (IsFieldRow(row))
                LoadField(k, row, player, current ? White : Silver, current);
}

void TScoreBoard::ShowInfoMarker(int player)
{
    if (!m_InfoMarker)
        return;
    if (player < 0 || player >= m_PlayerTops.size()) {
        m_InfoMarker->hide();
        for (int i = 0; i < m_PlayerTops.size(); ++i)
            StyleTopStrip(i, false);
        return;
    }
    m_InfoMarker->setParent(m_PlayerTops[player]);
    m_InfoMarker->setGeometry(MarkerLeft + MarkerSide + 2, 2, MarkerSide, MarkerSide);
    m_InfoMarker->show();
    for (int i = 0; i < m_PlayerTops.size(); ++i)
        StyleTopStrip(i, i == player);
}

void TScoreBoard::StyleTopStrip(int player, bool withInfoMarker)
{
    // The name starts right of the marker pictures, so neither covers it.
    const int pictures = withInfoMarker ? 2 : 1;
    const QString sheet = QStringLiteral("QLabel#PanelPlayerT%1 { background-color: rgb(192, 192, 192);"
                                         " color: black; padding-left: %2px; }")
                              .arg(player)
                              .arg(MarkerLeft + pictures * (MarkerSide + 2));
    if (m_PlayerTops[player]->styleSheet() != sheet)
        m_PlayerTops[player]->setStyleSheet(sheet);
}

void TScoreBoard::StartBlink()
{
    m_TimerBlink->start();
}

void TScoreBoard::StopBlink()
{
    m_TimerBlink->stop();
}

void TScoreBoard::TimerBlinkTimer()
{
    QLabel *field = Field(m_Engine.ChosenColumn(), m_Engine.ChosenRow());
    if (!field)
        return;
    const bool orange = field->palette().color(QPalette::Window) == Orange;
    Paint(field, field->text(), orange ? LightYellow : Orange, Black, field->font().bold());
}

void TScoreBoard::SetVisible(bool visible)
{
    m_Info->setVisible(visible);
    m_Scores->setVisible(visible);
    for (int i = 0; i < m_PlayerPanels.size(); ++i)
        m_PlayerPanels[i]->setVisible(visible && m_Engine.Players()[i].InGame());
}

void TScoreBoard::ShowFocusFrame(int column, int row)
{
    m_FocusColumn = column;
    m_FocusRow = row;
    if (!m_FocusFrame) {
        m_FocusFrame = new QFrame(m_Scores);
        m_FocusFrame->setObjectName(QStringLiteral("FocusFrame"));
        m_FocusFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Its own sheet: the designs style every frame of the program.
        m_FocusFrame->setStyleSheet(QStringLiteral(
            "QFrame#FocusFrame { border: 3px solid rgb(0, 60, 200); background: transparent; }"));
    }
    PlaceFocusFrame();
}

void TScoreBoard::HideFocusFrame()
{
    m_FocusColumn = -1;
    m_FocusRow = -1;
    if (m_FocusFrame)
        m_FocusFrame->hide();
}

void TScoreBoard::PlaceFocusFrame()
{
    if (!m_FocusFrame)
        return;
    QLabel *field = IsFieldRow(m_FocusRow) ? Field(m_FocusColumn, m_FocusRow) : nullptr;
    if (!field) {
        m_FocusFrame->hide();
        return;
    }
    // The field overlaps its row's right and bottom edge; the frame keeps to what shows.
    QWidget *row = field->parentWidget();
    const QRect shown = field->geometry().intersected(row->rect());
    m_FocusFrame->setParent(row);
    m_FocusFrame->setGeometry(shown);
    m_FocusFrame->show();
    m_FocusFrame->raise();
}

bool TScoreBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (mouse->button() != Qt::LeftButton || !widget || !widget->isEnabled()
        || !widget->rect().contains(mouse->position().toPoint()))
        return QObject::eventFilter(watched, event);
    const QString name = widget->objectName();
    if (name.startsWith(QLatin1String(FieldPrefix))) {
        // Column: the one character after the prefix; row: the rest.
        const int prefix = static_cast<int>(qstrlen(FieldPrefix));
        emit FieldClicked(name.mid(prefix, 1).toInt(), name.mid(prefix + 1).toInt());
        return true;
    }
    if (name.startsWith(QLatin1String("DynImageDelete"))) {
        emit GiveUpClicked(widget->property("tag").toInt());
        return true;
    }
    const QVariant hint = widget->property("hint");
    if (hint.isValid()) {
        emit PlayerClicked(hint.toInt());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
