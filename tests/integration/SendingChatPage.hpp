#pragma once

namespace corvina::testing {

// A chat page: a text box and a send button that posts what the box held to
// /received/<the page's path>. A click anywhere puts the keyboard in the box, as chat pages
// do; /received/loaded hears when the page has loaded.
inline constexpr const char* sendingChatPage = R"HTML(<title>chat</title>
<div style="position:fixed;bottom:10px;left:10px;right:10px;display:flex">
<textarea id=box style="flex:1"></textarea><button id=send>Send</button></div>
<script>send.addEventListener('click', () => {
    fetch('/received/' + location.pathname.slice(1), {method: 'POST', body: box.value,
          headers: {'Content-Type': 'text/plain;charset=utf-8'}});
    box.value = '';
});
addEventListener('mousedown', () => setTimeout(() => box.focus()));
addEventListener('load', () => fetch('/received/loaded', {method: 'POST', body: 'yes'}));</script>)HTML";

}  // namespace corvina::testing
