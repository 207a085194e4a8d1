/* vchip: a umockdev testbed with virtual FTDI chips for the program under test.
 *   vchip LOG CONTROL ROOT-FILE
 * Makes the testbed, writes its root folder to ROOT-FILE (the program under test runs with
 * UMOCKDEV_DIR set to it and libumockdev-preload.so.0 preloaded), then takes one command a
 * line from the FIFO CONTROL until "quit":
 *   plug NAME SERIAL BUS PORT PRODUCT-ID   unplug NAME   fault NAME none|gone|stall|hang|busy
 *   deny NAME   allow NAME   hold PID   mark TEXT
 * (hold: the program under test, stopped while a uevent reaches its sockets; see bus.c)
 * Everything the chips see, and every command once done, goes to LOG (see chip.h). */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bus.h"

typedef struct {
    GMainLoop *loop;
    Bus *bus;
} Control;

static gboolean parse_fault(const char *word, ChipFault *fault) {
    static const struct { const char *word; ChipFault fault; } kFaults[] = {
        {"none", FAULT_NONE}, {"gone", FAULT_GONE}, {"stall", FAULT_STALL},
        {"hang", FAULT_HANG}, {"busy", FAULT_BUSY},
    };
    for (gsize i = 0; i < G_N_ELEMENTS(kFaults); ++i) {
        if (strcmp(word, kFaults[i].word) == 0) {
            *fault = kFaults[i].fault;
            return TRUE;
        }
    }
    return FALSE;
}

static gboolean run_command(Control *control, char **words) {
    const guint count = g_strv_length(words);
    ChipFault fault;
    if (count == 6 && strcmp(words[0], "plug") == 0) {
        return bus_plug(control->bus, words[1], words[2], (guint) atoi(words[3]),
                        (guint) atoi(words[4]), (guint16) strtoul(words[5], NULL, 16));
    }
    if (count == 2 && strcmp(words[0], "unplug") == 0) return bus_unplug(control->bus, words[1]);
    if (count == 3 && strcmp(words[0], "fault") == 0 && parse_fault(words[2], &fault)) {
        if (!bus_set_fault(control->bus, words[1], fault)) return FALSE;
        chip_log(words[1], "fault %s", words[2]);
        return TRUE;
    }
    if (count == 2 && (strcmp(words[0], "deny") == 0 || strcmp(words[0], "allow") == 0)) {
        if (!bus_set_access(control->bus, words[1], words[0][0] == 'a')) return FALSE;
        chip_log(words[1], "%s", words[0]);
        return TRUE;
    }
    if (count == 2 && strcmp(words[0], "hold") == 0) {
        bus_hold_during_uevents(control->bus, atoi(words[1]));
        chip_log("-", "hold %s", words[1]);
        return TRUE;
    }
    if (count >= 2 && strcmp(words[0], "mark") == 0) {
        g_autofree char *text = g_strjoinv(" ", words + 1);
        chip_log("-", "mark %s", text);
        return TRUE;
    }
    if (count == 1 && strcmp(words[0], "quit") == 0) {
        g_main_loop_quit(control->loop);
        return TRUE;
    }
    return FALSE;
}

static gboolean on_command(GIOChannel *channel, GIOCondition condition, gpointer data) {
    (void) condition;
    Control *control = data;
    g_autofree char *line = NULL;
    gsize length = 0;
    while (g_io_channel_read_line(channel, &line, &length, NULL, NULL) == G_IO_STATUS_NORMAL) {
        g_strchomp(line);
        g_auto(GStrv) words = g_strsplit_set(line, " \t", -1);
        if (words[0] != NULL && words[0][0] != '\0' && !run_command(control, words)) {
            chip_log("-", "refused %s", line);
        }
        g_clear_pointer(&line, g_free);
    }
    return G_SOURCE_CONTINUE;
}

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: vchip LOG CONTROL ROOT-FILE\n");
        return 2;
    }
    chip_log_open(argv[1]);
    g_autoptr(UMockdevTestbed) testbed = umockdev_testbed_new();
    g_autofree char *root = umockdev_testbed_get_root_dir(testbed);
    g_autoptr(GError) error = NULL;
    /* Opened read-write, so that the FIFO never reads as ended between two writers. */
    const int fd = open(argv[2], O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || !g_file_set_contents(argv[3], root, -1, &error)) {
        fprintf(stderr, "vchip: cannot open %s or write %s\n", argv[2], argv[3]);
        return 1;
    }
    Control control = {g_main_loop_new(NULL, FALSE), bus_new(testbed)};
    GIOChannel *channel = g_io_channel_unix_new(fd);
    g_io_channel_set_close_on_unref(channel, TRUE);
    g_io_channel_set_flags(channel, G_IO_FLAG_NONBLOCK, NULL);
    g_io_add_watch(channel, G_IO_IN, on_command, &control);
    chip_log("-", "ready %s", root);
    g_main_loop_run(control.loop);
    g_io_channel_unref(channel);
    bus_free(control.bus);
    g_main_loop_unref(control.loop);
    return 0;
}
