// SPDX-License-Identifier: MIT
// The page's language: Japanese unless English is chosen, the choice kept in the browser. Every
// text is a row of the core's word tables asked for by its id, {ja, en}; the rows the page's
// scripts name are written into tables.js as the page is built, and an id that no table has
// fails the build.
const KEY = 'merinkast98.language';

export class Words {
  // `rows`: {id: {ja, en}} of the rows the page uses.
  constructor(rows) {
    this.rows = rows;
    this.language = localStorage.getItem(KEY) === 'en' ? 'en' : 'ja';
    this.followers = [];
  }

  // The row `id` in the page's language, with {0}, {1} … filled in.
  word(id, ...values) {
    return this.rows[id][this.language].replace(/\{(\d)\}/g, (all, n) => values[n] ?? all);
  }

  // What the core says in both languages ({ja, en}), in the page's.
  of(both) {
    return both[this.language];
  }

  // Switches the language, keeps the choice and sets every text again.
  use(language) {
    this.language = language;
    localStorage.setItem(KEY, language);
    this.apply();
  }

  // Calls `set` now and after every change of language.
  follow(set) {
    this.onChange(set);
    set();
  }

  // Calls `set` after every change of language.
  onChange(set) {
    this.followers.push(set);
  }

  apply() {
    document.documentElement.lang = this.language;
    for (const set of this.followers) set();
  }
}
