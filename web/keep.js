// SPDX-License-Identifier: MIT
// Nothing lost, as in the window: each tab keeps its melody in IndexedDB within a second of every
// change, under an id of its own in sessionStorage, so that a reload brings it back and two tabs
// never write over each other; the melody of a closed tab that was never downloaded or shared is
// offered to the next new tab; a melody replaced before it was downloaded joins the kept melodies,
// the newest of which are listed. Storage that is full or refused is said once, and the page goes
// on without it.
const DATABASE = 'merinkast98';
const TAB = 'merinkast98.tab';
const DELAY = 300; // ms from a change to its keeping

const request = (r) =>
  new Promise((resolve, reject) => {
    r.onsuccess = () => resolve(r.result);
    r.onerror = () => reject(r.error);
  });

export class Keeper {
  // `refused(error)` is called once, at the first failure of the storage; `most`: how many kept
  // melodies are held.
  constructor(refused, most) {
    this.refused = refused;
    this.most = most;
    this.failed = false;
    this.timer = 0;
    this.fresh = !sessionStorage.getItem(TAB);
    if (this.fresh) sessionStorage.setItem(TAB, crypto.randomUUID());
    this.tab = sessionStorage.getItem(TAB);
    this.db = this.guard(
      new Promise((resolve, reject) => {
        const opening = indexedDB.open(DATABASE, 1);
        opening.onupgradeneeded = () => {
          opening.result.createObjectStore('tabs', {keyPath: 'tab'});
          opening.result.createObjectStore('kept', {keyPath: 'key'});
        };
        opening.onsuccess = () => resolve(opening.result);
        opening.onerror = () => reject(opening.error);
        opening.onblocked = () => reject(new DOMException('blocked'));
      })
    );
  }

  // `promise`, or nothing once the storage has failed, which is said the first time.
  async guard(promise) {
    try {
      return await promise;
    } catch (error) {
      if (!this.failed) this.refused(error);
      this.failed = true;
      return null;
    }
  }

  // Runs `work(store)` in a transaction of `name`; its result, or null when the storage fails.
  async with(name, mode, work) {
    const db = await this.db;
    if (!db) return null;
    return this.guard(
      (async () => {
        const transaction = db.transaction(name, mode);
        const result = await work(transaction.objectStore(name));
        await new Promise((resolve, reject) => {
          transaction.oncomplete = resolve;
          transaction.onerror = transaction.onabort = () => reject(transaction.error);
        });
        return result;
      })()
    );
  }

  // This tab's melody as a reload left it, or null for a new tab.
  async own() {
    if (this.fresh) return null;
    return this.with('tabs', 'readonly', (s) => request(s.get(this.tab)));
  }

  // The newest melody of a closed tab that was never downloaded or shared, or null.
  async left() {
    const all = (await this.with('tabs', 'readonly', (s) => request(s.getAll()))) ?? [];
    const left = all.filter((r) => r.tab !== this.tab && !r.open && !r.shared && r.used);
    return left.sort((a, b) => b.time - a.time)[0] ?? null;
  }

  // Takes the melody of another tab off the offers.
  forget(tab) {
    return this.with('tabs', 'readwrite', (s) => request(s.delete(tab)));
  }

  // Keeps `snapshot` ({codes, cursor, title}, `used`: whether a slot is written, and `shared`:
  // whether it was downloaded or shared as it is) as this tab's melody soon; `open` false as the
  // tab closes, at once.
  keep(snapshot, open = true) {
    clearTimeout(this.timer);
    const record = {...snapshot, tab: this.tab, time: Date.now(), open};
    const put = () => this.with('tabs', 'readwrite', (s) => request(s.put(record)));
    if (!open) return put();
    this.timer = setTimeout(put, DELAY);
  }

  // Keeps a melody that is being replaced among the kept melodies, once for the same codes and
  // title; the newest `most` stay.
  replaced(snapshot) {
    const key = snapshot.codes.join(' ') + '\n' + snapshot.title;
    return this.with('kept', 'readwrite', async (s) => {
      await request(
        s.put({
          key,
          codes: snapshot.codes,
          cursor: snapshot.cursor,
          title: snapshot.title,
          time: Date.now()
        })
      );
      const all = await request(s.getAll());
      all.sort((a, b) => b.time - a.time);
      for (const old of all.slice(this.most)) await request(s.delete(old.key));
    });
  }

  // The newest `count` kept melodies, newest first: [{codes, cursor, title, time}].
  async kept(count) {
    const all = (await this.with('kept', 'readonly', (s) => request(s.getAll()))) ?? [];
    return all.sort((a, b) => b.time - a.time).slice(0, count);
  }
}
