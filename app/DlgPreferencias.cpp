#include "app/DlgPreferencias.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr const char* kClaveCompartida = "biblioteca/compartida";

// The same settings file as the main window's.
QSettings Ajustes() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korvex Soft"),
                     QStringLiteral("Alkor"));
}

} // namespace

namespace Preferencias {

QString CarpetaPropia(bool bCrear) {
    QString strBase = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (strBase.isEmpty())
        strBase = QDir::home().filePath(QStringLiteral(".local/share/Korvex Soft/Alkor"));
    const QString strRuta = QDir(strBase).filePath(QStringLiteral("Mis prácticas"));
    if (bCrear)
        QDir().mkpath(strRuta);
    return strRuta;
}

QString CarpetaCompartida() {
    return Ajustes().value(QLatin1String(kClaveCompartida)).toString();
}

void SetCarpetaCompartida(const QString& strRuta) {
    QSettings a = Ajustes();
    if (strRuta.isEmpty())
        a.remove(QLatin1String(kClaveCompartida));
    else
        a.setValue(QLatin1String(kClaveCompartida), strRuta);
}

} // namespace Preferencias

CDlgPreferencias::CDlgPreferencias(QWidget* pPadre) : QDialog(pPadre) {
    setWindowTitle(QStringLiteral("Preferencias"));

    auto* grupo = new QGroupBox(QStringLiteral("Carpetas de prácticas"), this);
    auto* explicacion = new QLabel(
        QStringLiteral("«Iniciar práctica» muestra, además de las prácticas incluidas, las "
                       "plantillas (.akp) y las prácticas guardadas (.uak1) de estas carpetas."),
        grupo);
    explicacion->setWordWrap(true);

    auto* propia = new QLineEdit(QDir::toNativeSeparators(Preferencias::CarpetaPropia()), grupo);
    propia->setReadOnly(true);
    propia->setObjectName(QStringLiteral("carpetaPropia"));
    auto* abrir = new QPushButton(QStringLiteral("Abrir carpeta"), grupo);
    connect(abrir, &QPushButton::clicked, this, [] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(Preferencias::CarpetaPropia(true)));
    });
    auto* filaPropia = new QHBoxLayout;
    filaPropia->addWidget(propia, 1);
    filaPropia->addWidget(abrir);

    m_pCompartida =
        new QLineEdit(QDir::toNativeSeparators(Preferencias::CarpetaCompartida()), grupo);
    m_pCompartida->setPlaceholderText(QStringLiteral("Ninguna"));
    m_pCompartida->setClearButtonEnabled(true);
    m_pCompartida->setMinimumWidth(320);
    auto* examinar = new QPushButton(QStringLiteral("Examinar…"), grupo);
    connect(examinar, &QPushButton::clicked, this, [this] {
        const QString s = QFileDialog::getExistingDirectory(
            this, QStringLiteral("Carpeta compartida de prácticas"), m_pCompartida->text());
        if (!s.isEmpty())
            m_pCompartida->setText(QDir::toNativeSeparators(s));
    });
    auto* filaCompartida = new QHBoxLayout;
    filaCompartida->addWidget(m_pCompartida, 1);
    filaCompartida->addWidget(examinar);
    m_pAviso = new QLabel(grupo);
    m_pAviso->setWordWrap(true);
    m_pAviso->setStyleSheet(QStringLiteral("color: #a04000"));
    connect(m_pCompartida, &QLineEdit::textChanged, this, &CDlgPreferencias::Comprobar);

    auto* formulario = new QFormLayout(grupo);
    formulario->addRow(explicacion);
    formulario->addRow(QStringLiteral("Mis prácticas:"), filaPropia);
    formulario->addRow(QStringLiteral("Carpeta compartida:"), filaCompartida);
    formulario->addRow(QString(), m_pAviso);

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(botones, &QDialogButtonBox::accepted, this, &CDlgPreferencias::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* l = new QVBoxLayout(this);
    l->addWidget(grupo);
    setMinimumWidth(680);
    l->addWidget(botones);
    Comprobar();
}

void CDlgPreferencias::Comprobar() {
    // A share that is not mounted now may be later: it is kept, with a word of warning.
    const QString s = m_pCompartida->text().trimmed();
    const QFileInfo info(QDir::fromNativeSeparators(s));
    QString strAviso;
    if (s.isEmpty())
        strAviso.clear();
    else if (!info.exists())
        strAviso = QStringLiteral("Esa carpeta no existe o no está disponible ahora.");
    else if (!info.isDir())
        strAviso = QStringLiteral("Esa ruta no es una carpeta.");
    else if (!info.isReadable() || !info.isExecutable())
        strAviso = QStringLiteral("No tiene permiso para leer esa carpeta.");
    m_pAviso->setText(strAviso);
    m_pAviso->setVisible(!strAviso.isEmpty());
}

void CDlgPreferencias::accept() {
    Preferencias::SetCarpetaCompartida(QDir::fromNativeSeparators(m_pCompartida->text().trimmed()));
    QDialog::accept();
}
