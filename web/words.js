// SPDX-License-Identifier: MIT
// The page's language: Japanese unless English is chosen, the choice kept in the browser. The
// window's captions and menus come from its translation (captions.js, made from the .ts file as
// the page is built); every other text from the core's words, {ja, en}.
const KEY = 'merinkast98.language';

export class Words {
  // `pageWords`: the core's pageWords(); `captions`: the window's translation.
  constructor(pageWords, captions) {
    this.captions = captions.en;
    this.page = pageWords;
    this.language = localStorage.getItem(KEY) === 'en' ? 'en' : 'ja';
    this.followers = [];
  }

  // The caption `source` of the window's `context`, in the page's language, without its mnemonic
  // ("開く(&O)..." gives "開く..." and "Open...") and with %1, %2 … filled in.
  caption(context, source, ...values) {
    const text = this.language === 'en' ? (this.captions[context]?.[source] ?? source) : source;
    return text
      .replace(/\(&.\)/, '')
      .replace(/&(.)/, '$1')
      .replace(/%(\d)/g, (all, n) => (n <= values.length ? values[n - 1] : all));
  }

  // The core's page word `id`, with {0}, {1} … filled in.
  word(id, ...values) {
    return this.page[id][this.language].replace(/\{(\d)\}/g, (all, n) => values[n] ?? all);
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
    this.followers.push(set);
    set();
  }

  apply() {
    document.documentElement.lang = this.language;
    for (const set of this.followers) set();
  }
}
