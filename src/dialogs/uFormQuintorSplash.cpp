#include "dialogs/uFormQuintorSplash.h"

#include "storage/uTools.h"

#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include <SDL.h>
#include <SDL_mixer.h>

namespace {

constexpr int TickIntervalMs = 1000;
constexpr int TickLimit = 10;

QLabel *CreateLabel(QWidget *parent, const QRect &geometry, int pixelSize)
{
    auto *label = new QLabel(parent);
    label->setGeometry(geometry);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(pixelSize);
    label->setFont(arial);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

TSplashJingle::~TSplashJingle()
{
    Close();
}

bool TSplashJingle::OpenAudio()
{
    // SDL would otherwise catch SIGTERM and SIGINT for an event queue nobody
    // reads, and the program could no longer be ended from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0)
        return true;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

bool TSplashJingle::Play(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    if (!m_AudioOpen)
        m_AudioOpen = OpenAudio();
    if (!m_AudioOpen)
        return false;
    m_Chunk = Mix_LoadWAV(QFile::encodeName(fileName).constData());
    if (!m_Chunk)
        return false;
    m_Channel = Mix_PlayChannel(-1, m_Chunk, 0);
    return m_Channel >= 0;
}

bool TSplashJingle::Playing() const
{
    return m_Channel >= 0 && Mix_Playing(m_Channel) != 0;
}

void TSplashJingle::Close()
{
    if (m_Channel >= 0)
        Mix_HaltChannel(m_Channel);
    if (m_Chunk)
        Mix_FreeChunk(m_Chunk);
    m_Chunk = nullptr;
    m_Channel = -1;
    if (m_AudioOpen) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_AudioOpen = false;
    }
}

TFormQuintorSplash::TFormQuintorSplash(QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_Jingle(std::make_unique<TSplashJingle>())
{
    setObjectName(QStringLiteral("FormQuintorSplash"));
    m_JinglePlaying = [this] { return m_Jingle->Playing(); };
    CreateControls();
    m_TimerMain = new QTimer(this);
    m_TimerMain->setObjectName(QStringLiteral("TimerMain"));
    m_TimerMain->setInterval(TickIntervalMs);
    connect(m_TimerMain, &QTimer::timeout, this, &TFormQuintorSplash::TimerMainTimer);
}

TFormQuintorSplash::~TFormQuintorSplash() = default;

void TFormQuintorSplash::CreateControls()
{
    setFixedSize(465, 272);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 128, 0));
    setPalette(colours);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanelClient"));
    panel->setGeometry(rect());
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(5);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ImageSplash"));
    picture->setGeometry(5, 5, 455, 262);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/splash.jpg")));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_LabelApplicationShortName = CreateLabel(this, QRect(16, 16, 339, 36), 27);
    m_LabelApplicationShortName->setObjectName(QStringLiteral("LabelApplicationShortName"));
    m_LabelVersion = CreateLabel(this, QRect(72, 56, 97, 22), 16);
    m_LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    m_LabelFullname = CreateLabel(this, QRect(72, 88, 260, 52), 19);
    m_LabelFullname->setObjectName(QStringLiteral("LabelFullname"));
    m_LabelFullname->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *dice = new QLabel(this);
    dice->setObjectName(QStringLiteral("ImageDice"));
    dice->setGeometry(384, 196, 64, 64);
    dice->setStyleSheet(QStringLiteral("background: transparent;"));
    dice->setPixmap(QPixmap(QStringLiteral(":/images/splash_die.png")));
    dice->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TFormQuintorSplash::SetJinglePlaying(std::function<bool()> playing)
{
    m_JinglePlaying = std::move(playing);
}

void TFormQuintorSplash::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_Activated) {
        m_Activated = true;
        FormActivate();
    }
}

void TFormQuintorSplash::FormActivate()
{
    m_Jingle->Play(ProgramPath(QStringLiteral("Bin/Sounds/intro.WAV")));
    m_TimerMain->start();
    m_TickLimit = TickLimit;
}

void TFormQuintorSplash::TimerMainTimer()
{
    ++m_TickCount;
    if (!m_JinglePlaying() || m_TickLimit - m_TickCount < 1) {
        m_TimerMain->stop();
        done(1);
    }
}

void TFormQuintorSplash::LabelFullnameClick()
{
    m_TimerMain->stop();
    done(1);
}

void TFormQuintorSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    LabelFullnameClick();
}
