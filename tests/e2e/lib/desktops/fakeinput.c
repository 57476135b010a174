/* fakeinput CODE...: presses evdev key codes in order and releases them in reverse through KDE's
 * fake-input protocol, which KWin 5.27 grants any client. */
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>

#include "fake-input-client.h"

static struct org_kde_kwin_fake_input *fake;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                   uint32_t version) {
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}
static void global_remove(void *data, struct wl_registry *registry, uint32_t name) {}
static const struct wl_registry_listener listener = {global, global_remove};

static void key(struct wl_display *display, const char *code, int pressed) {
    org_kde_kwin_fake_input_keyboard_key(fake, atoi(code), pressed);
    wl_display_roundtrip(display);
    usleep(50000);
}

int main(int argc, char **argv) {
    struct wl_display *display = wl_display_connect(NULL);
    if (!display)
        return 1;
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!fake)
        return 1;
    org_kde_kwin_fake_input_authenticate(fake, "velunor-tests", "keys of the end-to-end test");
    for (int i = 1; i < argc; i++)
        key(display, argv[i], 1);
    for (int i = argc - 1; i >= 1; i--)
        key(display, argv[i], 0);
    wl_display_disconnect(display);
    return 0;
}
