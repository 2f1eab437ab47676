/*
 * softcard: an ALSA PCM of our own for machines without a sound card.
 *
 * It runs in real time like a card (its position follows CLOCK_MONOTONIC), so
 * the wave devices on top of it deliver and consume sound at the true rate.
 * Capture reads 16-bit samples from a file (silence without one or after its
 * end); playback appends what it plays to a file (or discards it).
 *
 * Why our own: ALSA's null device reports its whole buffer as ready at every
 * call, so Wine's wave devices run about ten times too fast on it, and the
 * file plugin's infile refuses the reads Wine's capture makes ("requested more
 * frames than pcm buffer").
 *
 * Config:  pcm.softcard { type softcard  rate 8000  channels 1
 *                         infile "path"  outfile "path" }
 * The environment overrides the files, so each test process can have its own:
 * SOFTCARD_IN, SOFTCARD_OUT.
 */
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

typedef struct {
    snd_pcm_ioplug_t io;
    char *infile, *outfile;
    int data_fd;             /* the capture source or the playback target, opened at prepare */
    int timer_fd;            /* readable once per period, for callers that poll */
    unsigned int rate;
    unsigned int channels;
    uint64_t hw;             /* frames the "card" has played or recorded since prepare */
    uint64_t base_frames;    /* hw at base_ns */
    uint64_t base_ns;
    int running;
} softcard_t;

static uint64_t now_ns(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000000000ull + (uint64_t)ts.tv_nsec;
}

/* Moves the position on by the time passed. A card that runs out of sound to
 * play (or of room to record into) waits; the clock restarts when it goes on. */
static void advance(softcard_t *sc)
{
    if (!sc->running) return;
    uint64_t t = now_ns();
    uint64_t pos = sc->base_frames + (t - sc->base_ns) * sc->rate / 1000000000ull;
    /* io.appl_ptr is the application's running frame count (the PCM's own
     * pointer, so always current); with the boundary flag it never wraps here. */
    uint64_t appl = sc->io.appl_ptr;
    uint64_t limit = sc->io.stream == SND_PCM_STREAM_PLAYBACK ? appl : appl + sc->io.buffer_size;
    if (pos > limit) {
        pos = limit;
        sc->base_frames = pos;
        sc->base_ns = t;
    }
    sc->hw = pos;
}

static snd_pcm_sframes_t sc_pointer(snd_pcm_ioplug_t *io)
{
    softcard_t *sc = io->private_data;
    advance(sc);
    /* With the boundary flag the pointer is the running count (the boundary
     * is far beyond any run on 64 bits). */
    return (snd_pcm_sframes_t)sc->hw;
}

static snd_pcm_sframes_t sc_transfer(snd_pcm_ioplug_t *io, const snd_pcm_channel_area_t *areas,
                                     snd_pcm_uframes_t offset, snd_pcm_uframes_t size)
{
    softcard_t *sc = io->private_data;
    size_t frame_bytes = 2u * sc->channels;
    char *buf = (char *)areas->addr + (areas->first + areas->step * offset) / 8;
    size_t bytes = size * frame_bytes;
    if (io->stream == SND_PCM_STREAM_PLAYBACK) {
        if (sc->data_fd >= 0) {
            size_t off = 0;
            while (off < bytes) {
                ssize_t n = write(sc->data_fd, buf + off, bytes - off);
                if (n <= 0) break;
                off += (size_t)n;
            }
        }
    } else {
        /* The pseudo-mmap layer may ask for the same frames more than once
         * before they are committed, so read by position, not sequentially. */
        off_t at = (off_t)((uint64_t)io->appl_ptr * frame_bytes);
        size_t off = 0;
        if (sc->data_fd >= 0) {
            while (off < bytes) {
                ssize_t n = pread(sc->data_fd, buf + off, bytes - off, at + (off_t)off);
                if (n <= 0) break;
                off += (size_t)n;
            }
        }
        memset(buf + off, 0, bytes - off);
    }
    return (snd_pcm_sframes_t)size;
}

static void close_data(softcard_t *sc)
{
    if (sc->data_fd >= 0) close(sc->data_fd);
    sc->data_fd = -1;
}

static int sc_prepare(snd_pcm_ioplug_t *io)
{
    softcard_t *sc = io->private_data;
    close_data(sc);
    /* Capture starts at the beginning of its file at every prepare; playback
     * appends, so a test can collect several streams into one file. */
    if (io->stream == SND_PCM_STREAM_PLAYBACK) {
        if (sc->outfile && *sc->outfile)
            sc->data_fd = open(sc->outfile, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    } else if (sc->infile && *sc->infile) {
        sc->data_fd = open(sc->infile, O_RDONLY | O_CLOEXEC);
    }
    sc->hw = sc->base_frames = 0;
    sc->running = 0;
    return 0;
}

static int sc_start(snd_pcm_ioplug_t *io)
{
    softcard_t *sc = io->private_data;
    sc->base_frames = sc->hw;
    sc->base_ns = now_ns();
    sc->running = 1;
    uint64_t period_ns = (uint64_t)io->period_size * 1000000000ull / sc->rate;
    if (!period_ns) period_ns = 1000000;
    struct itimerspec its;
    its.it_interval.tv_sec = its.it_value.tv_sec = (time_t)(period_ns / 1000000000ull);
    its.it_interval.tv_nsec = its.it_value.tv_nsec = (long)(period_ns % 1000000000ull);
    timerfd_settime(sc->timer_fd, 0, &its, NULL);
    return 0;
}

static int sc_stop(snd_pcm_ioplug_t *io)
{
    softcard_t *sc = io->private_data;
    advance(sc);
    sc->running = 0;
    struct itimerspec its;
    memset(&its, 0, sizeof its);
    timerfd_settime(sc->timer_fd, 0, &its, NULL);
    return 0;
}

static int sc_delay(snd_pcm_ioplug_t *io, snd_pcm_sframes_t *delayp)
{
    softcard_t *sc = io->private_data;
    advance(sc);
    if (io->stream == SND_PCM_STREAM_PLAYBACK)
        *delayp = (snd_pcm_sframes_t)((uint64_t)io->appl_ptr - sc->hw);
    else
        *delayp = (snd_pcm_sframes_t)(sc->hw - (uint64_t)io->appl_ptr);
    return 0;
}

static int sc_poll_descriptors_count(snd_pcm_ioplug_t *io)
{
    (void)io;
    return 1;
}

static int sc_poll_descriptors(snd_pcm_ioplug_t *io, struct pollfd *pfd, unsigned int space)
{
    softcard_t *sc = io->private_data;
    if (space < 1) return -EINVAL;
    pfd->fd = sc->timer_fd;
    pfd->events = POLLIN;
    pfd->revents = 0;
    return 1;
}

static int sc_poll_revents(snd_pcm_ioplug_t *io, struct pollfd *pfd, unsigned int nfds, unsigned short *revents)
{
    softcard_t *sc = io->private_data;
    (void)nfds;
    uint64_t ticks;
    if (pfd->revents & POLLIN) {
        ssize_t r = read(sc->timer_fd, &ticks, sizeof ticks);
        (void)r;
    }
    advance(sc);
    snd_pcm_uframes_t avail = io->stream == SND_PCM_STREAM_PLAYBACK
                                  ? io->buffer_size - (snd_pcm_uframes_t)((uint64_t)io->appl_ptr - sc->hw)
                                  : (snd_pcm_uframes_t)(sc->hw - (uint64_t)io->appl_ptr);
    *revents = 0;
    if (avail >= io->period_size || !sc->running)
        *revents = io->stream == SND_PCM_STREAM_PLAYBACK ? POLLOUT : POLLIN;
    return 0;
}

static int sc_close(snd_pcm_ioplug_t *io)
{
    softcard_t *sc = io->private_data;
    close_data(sc);
    if (sc->timer_fd >= 0) close(sc->timer_fd);
    free(sc->infile);
    free(sc->outfile);
    free(sc);
    return 0;
}

static const snd_pcm_ioplug_callback_t softcard_callbacks = {
    .start = sc_start,
    .stop = sc_stop,
    .pointer = sc_pointer,
    .transfer = sc_transfer,
    .close = sc_close,
    .prepare = sc_prepare,
    .delay = sc_delay,
    .poll_descriptors_count = sc_poll_descriptors_count,
    .poll_descriptors = sc_poll_descriptors,
    .poll_revents = sc_poll_revents,
};

static char *pick(const char *env, const char *conf)
{
    const char *v = getenv(env);
    if (!v) v = conf;
    return v ? strdup(v) : NULL;
}

SND_PCM_PLUGIN_DEFINE_FUNC(softcard)
{
    snd_config_iterator_t i, next;
    const char *infile = NULL, *outfile = NULL;
    long rate = 8000, channels = 1;
    int err;
    (void)root;

    snd_config_for_each(i, next, conf) {
        snd_config_t *n = snd_config_iterator_entry(i);
        const char *id;
        if (snd_config_get_id(n, &id) < 0) continue;
        if (!strcmp(id, "comment") || !strcmp(id, "type") || !strcmp(id, "hint")) continue;
        if (!strcmp(id, "infile")) { snd_config_get_string(n, &infile); continue; }
        if (!strcmp(id, "outfile")) { snd_config_get_string(n, &outfile); continue; }
        if (!strcmp(id, "rate")) { snd_config_get_integer(n, &rate); continue; }
        if (!strcmp(id, "channels")) { snd_config_get_integer(n, &channels); continue; }
        SNDERR("Unknown field %s", id);
        return -EINVAL;
    }
    if (rate < 1000 || rate > 192000 || channels < 1 || channels > 8) return -EINVAL;

    softcard_t *sc = calloc(1, sizeof *sc);
    if (!sc) return -ENOMEM;
    sc->data_fd = -1;
    sc->rate = (unsigned int)rate;
    sc->channels = (unsigned int)channels;
    sc->infile = pick("SOFTCARD_IN", infile);
    sc->outfile = pick("SOFTCARD_OUT", outfile);
    sc->timer_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (sc->timer_fd < 0) {
        err = -errno;
        free(sc->infile);
        free(sc->outfile);
        free(sc);
        return err;
    }

    sc->io.version = SND_PCM_IOPLUG_VERSION;
    sc->io.name = "software sound card";
    /* Pseudo mmap: the plug layer in front converts formats through mmap access. */
    sc->io.mmap_rw = 1;
    sc->io.flags = SND_PCM_IOPLUG_FLAG_BOUNDARY_WA;
    sc->io.callback = &softcard_callbacks;
    sc->io.private_data = sc;

    err = snd_pcm_ioplug_create(&sc->io, name, stream, mode);
    if (err < 0) {
        close(sc->timer_fd);
        free(sc->infile);
        free(sc->outfile);
        free(sc);
        return err;
    }

    /* Mmap access only: with pseudo mmap, capture in read/write access never
     * reaches the transfer callback (it stays silent), and the plug layer in
     * front serves read/write callers over mmap anyway. */
    static const unsigned int access_list[] = {SND_PCM_ACCESS_MMAP_INTERLEAVED};
    static const unsigned int format_list[] = {SND_PCM_FORMAT_S16_LE};
    if ((err = snd_pcm_ioplug_set_param_list(&sc->io, SND_PCM_IOPLUG_HW_ACCESS, 1, access_list)) < 0 ||
        (err = snd_pcm_ioplug_set_param_list(&sc->io, SND_PCM_IOPLUG_HW_FORMAT, 1, format_list)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(&sc->io, SND_PCM_IOPLUG_HW_CHANNELS, sc->channels, sc->channels)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(&sc->io, SND_PCM_IOPLUG_HW_RATE, sc->rate, sc->rate)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(&sc->io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 64 * 1024)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(&sc->io, SND_PCM_IOPLUG_HW_PERIODS, 2, 1024)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(&sc->io, SND_PCM_IOPLUG_HW_BUFFER_BYTES, 128, 4 * 1024 * 1024)) < 0) {
        snd_pcm_ioplug_delete(&sc->io);
        return err;
    }
    *pcmp = sc->io.pcm;
    return 0;
}

SND_PCM_PLUGIN_SYMBOL(softcard);
