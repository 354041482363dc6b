#include "pages/gui/ExternalBridge.h"

#include <cmath>
#include <string>


namespace kov {

namespace {

constexpr const char* kHandlerName = "kovExternal";
constexpr int kMaxArguments = 16;

BridgeValue ValueOf(JSCValue* value) {
  if (jsc_value_is_string(value)) {
    char* text = jsc_value_to_string(value);
    BridgeValue result = BridgeValue::String(text ? text : "");
    g_free(text);
    return result;
  }
  if (jsc_value_is_number(value)) {
    double number = jsc_value_to_double(value);
    // Beyond 2^53 a double no longer holds every integer exactly.
    if (std::isfinite(number) && std::floor(number) == number && std::fabs(number) <= 9.0e15) {
      return BridgeValue::Integer(static_cast<long long>(number));
    }
  }
  return BridgeValue::Other();
}

std::string StringProperty(JSCValue* object, const char* name) {
  JSCValue* property = jsc_value_object_get_property(object, name);
  std::string text;
  if (property != nullptr && jsc_value_is_string(property)) {
    char* raw = jsc_value_to_string(property);
    if (raw != nullptr) text = raw;
    g_free(raw);
  }
  if (property != nullptr) g_object_unref(property);
  return text;
}

void OnMessage(WebKitUserContentManager*, WebKitJavascriptResult* message, gpointer data) {
  const BridgeHost* host = static_cast<const BridgeHost*>(data);
  JSCValue* call = webkit_javascript_result_get_js_value(message);
  if (call == nullptr || !jsc_value_is_object(call)) return;
  std::string method = StringProperty(call, "method");
  JSCValue* args = jsc_value_object_get_property(call, "args");
  std::vector<BridgeValue> values = BridgeArgumentsOf(args);
  if (args != nullptr) g_object_unref(args);
  std::string folder = host->currentFolder ? host->currentFolder() : std::string();
  Command command = DecideBridgeCall(method, values, folder);
  if (command.id != 0) PostCommand(host->target, std::move(command));
}

}  // namespace

std::vector<BridgeValue> BridgeArgumentsOf(JSCValue* args) {
  std::vector<BridgeValue> values;
  if (args == nullptr || !jsc_value_is_array(args)) return values;
  JSCValue* lengthValue = jsc_value_object_get_property(args, "length");
  int length = lengthValue ? jsc_value_to_int32(lengthValue) : 0;
  if (lengthValue != nullptr) g_object_unref(lengthValue);
  // No method takes more than one argument; a long list only needs to stay long.
  if (length > kMaxArguments) return std::vector<BridgeValue>(kMaxArguments + 1);
  for (int i = 0; i < length; ++i) {
    JSCValue* item = jsc_value_object_get_property_at_index(args, static_cast<guint>(i));
    values.push_back(item ? ValueOf(item) : BridgeValue::Other());
    if (item != nullptr) g_object_unref(item);
  }
  return values;
}

bool AttachExternalBridge(WebKitUserContentManager* manager, const BridgeHost* host) {
  std::string source = ExternalBridgeScript(kHandlerName);
  WebKitUserScript* script = webkit_user_script_new(
      source.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
      WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
  webkit_user_content_manager_add_script(manager, script);
  webkit_user_script_unref(script);
  std::string signal = std::string("script-message-received::") + kHandlerName;
  g_signal_connect(manager, signal.c_str(), G_CALLBACK(OnMessage), const_cast<BridgeHost*>(host));
  return webkit_user_content_manager_register_script_message_handler(manager, kHandlerName);
}

}  // namespace kov
