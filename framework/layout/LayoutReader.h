#pragma once
// Reads a stored layout (the text form of a form and its components) into an already
// constructed root component:
//
//   object Form1: TForm1
//     Caption = 'Title'#13#10'line two'
//     Font.Style = [fsBold]
//     OnCreate = FormCreate
//     object Button1: TButton
//       Left = 8
//     end
//   end
//
// Components are created through the class registry with the root as owner, properties
// are applied in stored order, references are resolved once everything is read, then
// Loaded() runs on each component in creation order and on the root last. While
// reading, the root and each new component carry csLoading and csReading.
// Any error raises ELayoutError("Layout line N: ..."); the components the failed read
// created are destroyed again and the root's loading flags cleared.
#include <string>

class TComponent;
class TClassRegistry;

void ReadLayout(TComponent* root, const std::string& text);
void ReadLayout(TComponent* root, const std::string& text, const TClassRegistry& registry);
// Reads the compiled-in layout resource name (resources/layout/<name>.lay);
// raises ELayoutError when there is none.
void ReadLayoutResource(TComponent* root, const std::string& name);
