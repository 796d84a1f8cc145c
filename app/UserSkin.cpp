#include "app/UserSkin.h"

#include "app/Unt_main.h"

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"

bool LoadUserSkin(TForm1* form, const std::string& file, std::string& error) {
  error.clear();
  TbsSkinData* data = form->bsSkinData1;
  if (!FileExists(file)) {
    error = "the skin file '" + file + "' does not exist";
    return false;
  }
  try {
    TbsCompressedStoredSkin stored(nullptr);
    stored.ReadPackedFile(file);
    if (stored.IsDataEmpty()) {
      error = "'" + file + "' holds no skin this program reads (empty, or of a newer version)";
      return false;
    }
    form->bsSkinForm1->SetClientWidth(form->ClientWidth());
    form->bsSkinForm1->SetClientHeight(form->ClientHeight());
    data->LoadFromStoredSkin(&stored);
  } catch (const Exception& e) {
    error = "the skin file '" + file + "' cannot be read: " + e.Message();
  } catch (const std::exception& e) {
    error = "the skin file '" + file + "' cannot be read: " + e.what();
  }
  if (error.empty() && data->SkinEmpty) error = "'" + file + "' holds no skin this program reads";
  return error.empty();
}
