/* A second Wayland client that drags files onto whatever lies under the pointer at the release.
 *
 * It shows a small grey toplevel; a press of the left button on it starts a drag offering the given
 * text/uri-list. It prints "ready" once the toplevel is drawn, "entered" when the pointer comes onto it,
 * "dragging" once the drag is under way and "accepted" when the window under the pointer takes the list, and
 * ends with the outcome of the drag: 0 when the target took the data and finished, 1 when the drag was
 * cancelled, 2 on a failure. */

#define _GNU_SOURCE
#include "xdg-shell-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

enum { kSide = 48 };
static const char kUriList[] = "text/uri-list";

struct client {
    struct wl_compositor* compositor;
    struct wl_shm* shm;
    struct xdg_wm_base* wm_base;
    struct wl_seat* seat;
    struct wl_data_device_manager* data_manager;
    struct wl_surface* surface;
    struct xdg_surface* xdg_surface;
    struct xdg_toplevel* toplevel;
    struct wl_data_source* source;
    const char* uris;
    int outcome; /* -1 while the drag runs */
};

static struct wl_buffer* grey_buffer(struct wl_shm* shm) {
    const int stride = kSide * 4, size = stride * kSide;
    int fd = memfd_create("drag-source", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) < 0) {
        return NULL;
    }
    void* pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return NULL;
    }
    memset(pixels, 0x80, size);
    munmap(pixels, size);
    struct wl_shm_pool* pool = wl_shm_create_pool(shm, fd, size);
    struct wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, kSide, kSide, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

/* The window under the pointer takes the file list: a release now drops it there. */
static void source_target(void* data, struct wl_data_source* source, const char* mime) {
    (void)data, (void)source;
    if (mime && strcmp(mime, kUriList) == 0) {
        printf("accepted\n");
        fflush(stdout);
    }
}

static void source_send(void* data, struct wl_data_source* source, const char* mime, int32_t fd) {
    struct client* client = data;
    (void)source;
    if (strcmp(mime, kUriList) == 0) {
        const char* rest = client->uris;
        size_t left = strlen(rest);
        while (left > 0) {
            ssize_t written = write(fd, rest, left);
            if (written <= 0) {
                break;
            }
            rest += written;
            left -= (size_t)written;
        }
    }
    close(fd);
}

static void source_cancelled(void* data, struct wl_data_source* source) {
    struct client* client = data;
    (void)source;
    client->outcome = 1;
}

static void source_drop_performed(void* data, struct wl_data_source* source) {
    (void)data, (void)source;
}

static void source_finished(void* data, struct wl_data_source* source) {
    struct client* client = data;
    (void)source;
    client->outcome = 0;
}

static void source_action(void* data, struct wl_data_source* source, uint32_t action) {
    (void)data, (void)source, (void)action;
}

static const struct wl_data_source_listener source_listener = {
    source_target, source_send, source_cancelled, source_drop_performed, source_finished, source_action,
};

/* A press counts only once the compositor has given the pointer to this window: the test waits for this. */
static void pointer_enter(void* data, struct wl_pointer* pointer, uint32_t serial, struct wl_surface* surface,
                          wl_fixed_t x, wl_fixed_t y) {
    (void)data, (void)pointer, (void)serial, (void)surface, (void)x, (void)y;
    printf("entered\n");
    fflush(stdout);
}

static void pointer_leave(void* data, struct wl_pointer* pointer, uint32_t serial, struct wl_surface* surface) {
    (void)data, (void)pointer, (void)serial, (void)surface;
}

static void pointer_motion(void* data, struct wl_pointer* pointer, uint32_t time, wl_fixed_t x, wl_fixed_t y) {
    (void)data, (void)pointer, (void)time, (void)x, (void)y;
}

static void pointer_button(void* data, struct wl_pointer* pointer, uint32_t serial, uint32_t time, uint32_t button,
                           uint32_t state) {
    struct client* client = data;
    (void)pointer, (void)time, (void)button;
    if (state != WL_POINTER_BUTTON_STATE_PRESSED || client->source) {
        return;
    }
    client->source = wl_data_device_manager_create_data_source(client->data_manager);
    wl_data_source_add_listener(client->source, &source_listener, client);
    wl_data_source_offer(client->source, kUriList);
    wl_data_source_set_actions(client->source, WL_DATA_DEVICE_MANAGER_DND_ACTION_COPY);
    struct wl_data_device* device = wl_data_device_manager_get_data_device(client->data_manager, client->seat);
    wl_data_device_start_drag(device, client->source, client->surface, NULL, serial);
    /* Out of the way, so that a shell showing one window at a time shows the target again. */
    xdg_toplevel_destroy(client->toplevel);
    xdg_surface_destroy(client->xdg_surface);
    wl_surface_attach(client->surface, NULL, 0, 0);
    wl_surface_commit(client->surface);
    printf("dragging\n");
    fflush(stdout);
}

static void pointer_axis(void* data, struct wl_pointer* pointer, uint32_t time, uint32_t axis, wl_fixed_t value) {
    (void)data, (void)pointer, (void)time, (void)axis, (void)value;
}

/* The seat is bound at version 1, which sends no frame or axis details. */
static const struct wl_pointer_listener pointer_listener = {
    .enter = pointer_enter,
    .leave = pointer_leave,
    .motion = pointer_motion,
    .button = pointer_button,
    .axis = pointer_axis,
};

static void wm_base_ping(void* data, struct xdg_wm_base* wm_base, uint32_t serial) {
    (void)data;
    xdg_wm_base_pong(wm_base, serial);
}

static const struct xdg_wm_base_listener wm_base_listener = {wm_base_ping};

static void surface_configure(void* data, struct xdg_surface* xdg_surface, uint32_t serial) {
    struct client* client = data;
    xdg_surface_ack_configure(xdg_surface, serial);
    wl_surface_attach(client->surface, grey_buffer(client->shm), 0, 0);
    wl_surface_damage(client->surface, 0, 0, kSide, kSide);
    wl_surface_commit(client->surface);
}

static const struct xdg_surface_listener surface_listener = {surface_configure};

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    struct client* client = data;
    (void)version;
    if (strcmp(interface, wl_compositor_interface.name) == 0) {
        client->compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 4);
    } else if (strcmp(interface, wl_shm_interface.name) == 0) {
        client->shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    } else if (strcmp(interface, xdg_wm_base_interface.name) == 0) {
        client->wm_base = wl_registry_bind(registry, name, &xdg_wm_base_interface, 1);
    } else if (strcmp(interface, wl_seat_interface.name) == 0) {
        client->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (strcmp(interface, wl_data_device_manager_interface.name) == 0) {
        client->data_manager = wl_registry_bind(registry, name, &wl_data_device_manager_interface, 3);
    }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s URI-LIST\n", argv[0]);
        return 2;
    }
    struct client client = {.uris = argv[1], .outcome = -1};
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 2;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &client);
    wl_display_roundtrip(display);
    if (!client.compositor || !client.shm || !client.wm_base || !client.seat || !client.data_manager) {
        fprintf(stderr, "the compositor lacks a seat or drag and drop\n");
        return 2;
    }
    xdg_wm_base_add_listener(client.wm_base, &wm_base_listener, NULL);
    wl_pointer_add_listener(wl_seat_get_pointer(client.seat), &pointer_listener, &client);

    client.surface = wl_compositor_create_surface(client.compositor);
    client.xdg_surface = xdg_wm_base_get_xdg_surface(client.wm_base, client.surface);
    xdg_surface_add_listener(client.xdg_surface, &surface_listener, &client);
    client.toplevel = xdg_surface_get_toplevel(client.xdg_surface);
    xdg_toplevel_set_title(client.toplevel, "drag source");
    xdg_toplevel_set_min_size(client.toplevel, kSide, kSide);
    xdg_toplevel_set_max_size(client.toplevel, kSide, kSide);
    wl_surface_commit(client.surface);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);

    while (client.outcome < 0 && wl_display_dispatch(display) != -1) {
    }
    wl_display_disconnect(display);
    return client.outcome < 0 ? 2 : client.outcome;
}
