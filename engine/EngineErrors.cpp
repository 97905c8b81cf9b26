#include "engine/EngineErrors.h"

namespace quellor {

const char* EngineErrorMessage(int n) {
  static const char* const kMessages[] = {
      "Kein Fehler aufgetreten",
      "#1 Alles Okay",
      "#2 Directx Device kann nicht erzeugt werden, DX9 fehlt",
      "#3 16bit z-buffer funktioniert nicht",
      "#4 back buffer Format kann nicht erzeugt werden",
      "#5 display adapter kann nicht initialisiert werden",
      "#6 Directx9 kann nicht initialisiert werden",
      "#7 Mode match kann nicht initialisiert werden",
      "#8 Farbtiefe kann nicht gesetzt werden",
      "#9 SetCooperativeLevel konnte nicht exclusive erfolgen",
      "#10 Standard Font konnte nicht erzeugt werden",
      "#11 GetDeviceCaps Fehler, Grafikadapter kann kein VERTEXPROCESSING",
      "#12 hwnd ist schon initalisiert",
      "#13 DirectSound kann nicht  initialisiert werden",
      "#14 Wave Header f\xC3\xBCr DirectSound ist fehlerhaft",
      "#15 Wave Datei f\xC3\xBCr DirectSound konnte nicht ge\xC3\xB6""ffnet werden",
      "#16 Texturshader konnte nicht erstellt werden: \n",
      "#17 Shader konnte nicht erstellt werden: \n",
      "#18 Grafik konnte nicht geladen werden",
      "#19 Grafik konnte nicht gespeichert werden",
      "#20 Objekt konnte nicht geladen werden",
      "#21 Objekt konnte nicht gespeichert werden",
  };
  if (n >= 0 && n < static_cast<int>(sizeof kMessages / sizeof kMessages[0])) return kMessages[n];
  return " Allgemeiner 3D Device Fehler";
}

}  // namespace quellor
