// The splash window (2 s, or until the first key or click, which it keeps), the about box
// and the help window.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QWidget>

class CVentanaPresentacion : public QWidget {
    Q_OBJECT
public:
    // Shows the splash over the owner unless one is already up.
    static CVentanaPresentacion* Mostrar(QWidget* pDueno);
    static CVentanaPresentacion* Actual();
    ~CVentanaPresentacion() override;

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit CVentanaPresentacion(QWidget* pDueno);
    void Cerrar();

    QImage m_imagen;
    QTimer m_timer;
    QWidget* m_pDueno;
};
