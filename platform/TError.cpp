#include "TError.h"

#include <cerrno>

std::string TInOutError::TextOf(int Code)
{
  switch (Code) {
  case ENOENT:
    return "Fichier introuvable";
  case EMFILE:
  case ENFILE:
    return "Trop de fichiers ouverts";
  case EACCES:
  case EPERM:
  case EROFS:
    return "Accès au fichier refusé";
  case ENOSPC:
  case EDQUOT:
    return "Disque plein";
  default:
    return "Erreur E/S " + std::to_string(Code);
  }
}

TInOutError::TInOutError(int Code) : TError(TextOf(Code)), FCode(Code) {}

TConvertError::TConvertError(const std::string& Text)
    : TError("'" + Text + "' n'est pas une valeur entière correcte")
{
}

TIntOverflowError::TIntOverflowError() : TError("Débordement d'entier") {}

TRangeError::TRangeError() : TError("Erreur de vérification d'étendue") {}
