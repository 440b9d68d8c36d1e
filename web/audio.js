// SPDX-License-Identifier: MIT
// Test play with Web Audio: the program's own waves, one for each step of the core's test-play
// sequence, each sounding from the sample after the one before ends.

// The sample rate of a 16-bit PCM WAV file's bytes.
export function rateOf(wave) {
  return new DataView(wave.buffer, wave.byteOffset, wave.byteLength).getUint32(24, true);
}

// The waves (name to bytes) decoded by `context`, name to AudioBuffer.
export async function decodeWaves(context, waves) {
  const decoded = new Map();
  for (const [name, bytes] of waves) {
    decoded.set(name, await context.decodeAudioData(bytes.slice().buffer));
  }
  return decoded;
}

// The steps ([{slot, wave}]) as one buffer of `context`, and the sample each step starts at.
export function melodyBuffer(context, steps, buffers) {
  const starts = [];
  let length = 0;
  for (const step of steps) {
    starts.push(length);
    length += buffers.get(step.wave).length;
  }
  const buffer = context.createBuffer(1, Math.max(length, 1), context.sampleRate);
  const samples = buffer.getChannelData(0);
  steps.forEach((step, i) => samples.set(buffers.get(step.wave).getChannelData(0), starts[i]));
  return {buffer, starts};
}

// What test play of `steps` sounds, rendered offline at the waves' own rate: its samples.
export async function render(steps, waves) {
  const rate = rateOf(waves.values().next().value);
  const decoder = new OfflineAudioContext(1, 1, rate);
  const buffers = await decodeWaves(decoder, waves);
  const length = steps.reduce((sum, step) => sum + buffers.get(step.wave).length, 0);
  const context = new OfflineAudioContext(1, length, rate);
  const source = context.createBufferSource();
  source.buffer = melodyBuffer(context, steps, buffers).buffer;
  source.connect(context.destination);
  source.start(0);
  return (await context.startRendering()).getChannelData(0);
}

// Test play in the page: plays `steps`, telling `onStep` the index of the step that sounds as
// each begins and `onEnd(stopped)` once, when the melody is over (false) or stopped (true).
export class TestPlay {
  // `waves` (name to bytes) are all there once `loaded` resolves.
  constructor(waves, loaded) {
    this.waves = waves;
    this.loaded = loaded;
    this.playing = null;
  }

  async start(steps, onStep, onEnd) {
    // Playing from the click on: the waves may still be decoded the first time.
    const playing = {source: null, timer: null, onEnd};
    this.playing = playing;
    // Decoded once, however many starts wait for it.
    this.decoded ??= this.loaded.then(async () => {
      // At the waves' rate, so that none is resampled.
      this.context = new AudioContext({sampleRate: rateOf(this.waves.values().next().value)});
      this.buffers = await decodeWaves(this.context, this.waves);
    });
    await this.decoded;
    await this.context.resume();
    if (this.playing !== playing) return; // stopped meanwhile
    const {buffer, starts} = melodyBuffer(this.context, steps, this.buffers);
    const source = this.context.createBufferSource();
    source.buffer = buffer;
    source.connect(this.context.destination);
    const at = this.context.currentTime + 0.05;
    const rate = this.context.sampleRate;
    let step = -1;
    const follow = () => {
      const now = (this.context.currentTime - at) * rate;
      while (step + 1 < starts.length && starts[step + 1] <= now) onStep(++step);
    };
    playing.source = source;
    playing.timer = setInterval(follow, 10);
    source.onended = () => this.end(playing, false);
    source.start(at);
  }

  // Stops what plays; nothing more sounds.
  stop() {
    const playing = this.playing;
    if (!playing) return;
    if (playing.source) {
      playing.source.onended = null;
      playing.source.stop();
    }
    this.end(playing, true);
  }

  end(playing, stopped) {
    if (this.playing !== playing) return;
    clearInterval(playing.timer);
    this.playing = null;
    playing.onEnd(stopped);
  }
}
