// The frame's commands: identifiers, menu texts, prompts and tool tips, toolbar places.
#pragma once

#include "TiposEquipo.h" // the commands that insert items

enum : int {
    ID_AGUA = 32774,
    ID_REACTIVO = 32775,
    ID_DECANTAR = 32779,
    ID_TRANSFERIR = 32780,
    ID_ABRIR_PRACTICA = 32784,
    ID_VER_PROPIEDADES = 32785,
    ID_INDICADORES = 32786,
    ID_GUARDAR_PRACTICA = 32797,
    ID_INICIAR_PRACTICA = 32798,
    ID_LIMPIAR_MESA = 32805,
    ID_MOSTRAR_TODO = 32806,
    ID_ACERCAR = 32807,
    ID_ALEJAR = 32808,
    ID_TAMANO_REAL = 32809,
    ID_AJUSTAR_VENTANA = 32810,
    ID_BORRAR_RECIENTES = 32811,
    ID_QUITAR_FALTANTES = 32812,
    ID_PREFERENCIAS = 32813,
    ID_DESHACER = 32814,
    ID_REHACER = 32815,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
