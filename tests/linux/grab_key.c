/* grab_key KEYSYM MODMASK: holds a key grab on the root window, as another program's global
 * shortcut would, until it is ended. Prints "grabbed" once the server has granted it. Used by
 * tests/linux/run-all to give Torvik a combination it cannot have. */
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: grab_key KEYSYM MODMASK\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        return 1;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes =
        xcb_key_symbols_get_keycode(symbols, (xcb_keysym_t)strtoul(argv[1], NULL, 0));
    if (codes == NULL || codes[0] == XCB_NO_SYMBOL) {
        return 1;
    }
    uint16_t mask = (uint16_t)strtoul(argv[2], NULL, 0);
    /* The plain combination and its NumLock (Mod2) variant, as a desktop shortcut daemon grabs. */
    uint16_t variants[2] = {mask, (uint16_t)(mask | XCB_MOD_MASK_2)};
    for (int i = 0; i < 2; ++i) {
        xcb_generic_error_t* error = xcb_request_check(
            c, xcb_grab_key_checked(c, 1, root, variants[i], codes[0], XCB_GRAB_MODE_ASYNC,
                                    XCB_GRAB_MODE_ASYNC));
        if (error != NULL) {
            return 1;
        }
    }
    free(codes);
    printf("grabbed\n");
    fflush(stdout);
    xcb_generic_event_t* event;
    while ((event = xcb_wait_for_event(c)) != NULL) {
        free(event);
    }
    xcb_key_symbols_free(symbols);
    xcb_disconnect(c);
    return 0;
}
