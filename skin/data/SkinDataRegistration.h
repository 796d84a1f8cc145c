#pragma once
// Makes the skin data components known to stored layouts: TbsSkinData,
// TbsCompressedStoredSkin (with its binary "CompressedData") and TbsResourceStrData.
void RegisterSkinDataClasses();
